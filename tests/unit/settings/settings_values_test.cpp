#include "settings/settings_values.h"

#include <gtest/gtest.h>

namespace launcher::settings {

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
  const SourcePolicy policy = ParseSourcePolicy(GetParam().value);
  EXPECT_EQ(RanksPreferredFirst(policy), GetParam().anySource);
  EXPECT_EQ(Wants(policy, RuntimeKind::Jdk), GetParam().jdkWanted);
  EXPECT_EQ(Wants(policy, RuntimeKind::Jre), GetParam().jreWanted);
  EXPECT_EQ(Searches(policy, RuntimeKind::Jdk), GetParam().anySource || GetParam().jdkWanted);
  EXPECT_EQ(Searches(policy, RuntimeKind::Jre), GetParam().anySource || GetParam().jreWanted);
}

INSTANTIATE_TEST_SUITE_P(Values, JvmSourceTest,
                         testing::Values(SourceCase{L"", true, true, true}, SourceCase{L"favor_JRE", true, false, true},
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

// A vendor's registrations are searched when it is accepted or favoured.
TEST_P(VmProviderTest, SetsTheVendorFlags) {
  const VendorPolicy policy = ParseVendorPolicy(GetParam().value);
  const ProviderCase& c = GetParam();
  EXPECT_EQ(Accepts(policy, Vendor::JRockit), c.jrockitAccepted || c.jrockitFavoured);
  EXPECT_EQ(Accepts(policy, Vendor::Sun), c.sunAccepted || c.sunFavoured);
  EXPECT_EQ(Accepts(policy, Vendor::Ibm), c.ibmAccepted || c.ibmFavoured);
  EXPECT_EQ(Favours(policy, Vendor::JRockit), c.jrockitFavoured);
  EXPECT_EQ(Favours(policy, Vendor::Sun), c.sunFavoured);
  EXPECT_EQ(Favours(policy, Vendor::Ibm), c.ibmFavoured);
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

}  // namespace launcher::settings
