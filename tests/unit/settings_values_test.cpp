#include "launcher/settings_values.h"

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "test_support.h"

namespace {

TEST(SettingsValuesTest, JvmTypeIsComparedExactly) {
  EXPECT_EQ(ParseJvmType(L"server"), JvmTypeMode::Server);
  EXPECT_EQ(ParseJvmType(L"favor_server"), JvmTypeMode::FavorServer);
  EXPECT_EQ(ParseJvmType(L"Server"), JvmTypeMode::Default);
  EXPECT_EQ(ParseJvmType(L""), JvmTypeMode::Default);
  EXPECT_EQ(ParseJvmType(L"client"), JvmTypeMode::Default);
}

struct SourceCase {
  const wchar_t* value;
  bool anySource, jdkWanted, jreWanted;
};

class JvmSourceTest : public testing::TestWithParam<SourceCase> {};

TEST_P(JvmSourceTest, SetsTheSourceFlags) {
  test::FakeHost fake(L"app.exe");
  Launcher launcher(fake.host);
  ApplyJvmSource(GetParam().value, launcher);
  EXPECT_EQ(launcher.anySource, GetParam().anySource);
  EXPECT_EQ(launcher.jdkWanted, GetParam().jdkWanted);
  EXPECT_EQ(launcher.jreWanted, GetParam().jreWanted);
}

INSTANTIATE_TEST_SUITE_P(Values, JvmSourceTest,
                         testing::Values(SourceCase{L"", true, true, true},
                                         SourceCase{L"favor_JRE", true, false, true},
                                         SourceCase{L"favor_JDK", true, true, false},
                                         SourceCase{L"only_JRE", false, false, true},
                                         SourceCase{L"only_JDK", false, true, false},
                                         SourceCase{L"favor_jre", false, false, false},  // exact only
                                         SourceCase{L"anything", false, false, false}));

struct ProviderCase {
  const wchar_t* value;
  bool jrockitAccepted, sunAccepted, ibmAccepted, jrockitFavoured, sunFavoured, ibmFavoured;
};

class VmProviderTest : public testing::TestWithParam<ProviderCase> {};

TEST_P(VmProviderTest, SetsTheVendorFlags) {
  test::FakeHost fake(L"app.exe");
  Launcher launcher(fake.host);
  ApplyVmProvider(GetParam().value, launcher);
  const ProviderCase& c = GetParam();
  EXPECT_EQ(launcher.jrockitAccepted, c.jrockitAccepted);
  EXPECT_EQ(launcher.sunAccepted, c.sunAccepted);
  EXPECT_EQ(launcher.ibmAccepted, c.ibmAccepted);
  EXPECT_EQ(launcher.jrockitFavoured, c.jrockitFavoured);
  EXPECT_EQ(launcher.sunFavoured, c.sunFavoured);
  EXPECT_EQ(launcher.ibmFavoured, c.ibmFavoured);
}

INSTANTIATE_TEST_SUITE_P(Values, VmProviderTest,
                         testing::Values(ProviderCase{L"", false, true, false, false, true, false},
                                         ProviderCase{L"sun", false, true, false, false, true, false},
                                         ProviderCase{L"jrockit", true, false, false, true, false, false},
                                         ProviderCase{L"ibm", false, false, true, false, false, true},
                                         ProviderCase{L"favor_sun", true, true, true, false, true, false},
                                         ProviderCase{L"favor_jrockit", true, true, true, true, false, false},
                                         ProviderCase{L"FAVOR_IBM", true, true, true, false, false, true},
                                         ProviderCase{L"Any", true, true, true, false, false, false}));

}  // namespace
