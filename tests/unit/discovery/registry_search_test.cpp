#include "discovery/registry_search.h"

#include <gtest/gtest.h>

#include "discovery/runtime_resolution.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "registry_fixture.h"
#include "runtime_files.h"
#include "settings/settings_values.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

const WideString kJdk = L"Software\\JavaSoft\\Java Development Kit\\";
const WideString kJre = L"Software\\JavaSoft\\Java Runtime Environment\\";
const WideString kJRockitJre = L"Software\\JRockit\\Java Runtime Environment\\";
const WideString kJRockitJdk = L"Software\\JRockit\\Java Development Kit\\";
const WideString kIbm = L"Software\\IBM\\Java2 Runtime Environment\\";

class RegistrySearchTest : public testing::TestWithParam<test::RegistryFixtureKind> {
 protected:
  RegistrySearchTest() : fixture_(GetParam().make()) {
    requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill);
  }

  // A runtime folder with the given VM libraries; returns its path without separator.
  WideString Runtime(const WideString& name, std::initializer_list<const wchar_t*> vms = {L"server"}) {
    WideString home = dir_.Path(name) + platform::kPathSeparator;
    for (const wchar_t* vm : vms) test::AddJvmLibrary(home, vm);
    return dir_.Path(name);
  }

  std::vector<WideString> Versions(bool view32 = false) {
    std::vector<WideString> versions;
    for (const JvmCandidate& candidate : FindRegistryRuntimes(requirements_, fixture_->View(), view32)) {
      versions.push_back(Format(candidate.version));
    }
    return versions;
  }

  test::TempDir dir_;
  std::unique_ptr<test::RegistryFixture> fixture_;
  settings::RuntimeRequirements requirements_;
};

TEST_P(RegistrySearchTest, BoundsAreInclusive) {
  WideString rt = Runtime(L"rt");
  for (const wchar_t* version : {L"1.5.0_22", L"1.6", L"1.6.0_20", L"1.6.1", L"1.7"}) {
    fixture_->AddRuntime(kJre, version, rt, false);
  }
  requirements_.minimum = ParseLowerBound(L"1.6");
  requirements_.maximum = ParseUpperBound(L"1.6");
  EXPECT_EQ(Versions(), (std::vector<WideString>{L"1.6", L"1.6.0.20", L"1.6.1"}));
}

TEST_P(RegistrySearchTest, AnAbsentMaximumAdmitsOnlyZeroVersions) {
  WideString rt = Runtime(L"rt");
  for (const wchar_t* version : {L"1.8", L"current", L"0.0"}) fixture_->AddRuntime(kJre, version, rt, false);
  requirements_.maximum = ParseUpperBound(L"");
  EXPECT_EQ(Versions(), (std::vector<WideString>{L"0.0.0.0", L"0.0.0.0"}));
}

TEST_P(RegistrySearchTest, TwoSubkeysOfOneFolderAreTwoCandidates) {
  WideString rt = Runtime(L"rt");
  fixture_->AddRuntime(kJre, L"1.6", rt, false);
  fixture_->AddRuntime(kJre, L"1.6.0_20", rt + platform::kPathSeparator, false);
  JvmCandidateList found = FindRegistryRuntimes(requirements_, fixture_->View(), false);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].home, rt + platform::kPathSeparator);  // a separator is added only when missing
  EXPECT_EQ(found[1].home, rt + platform::kPathSeparator);
}

TEST_P(RegistrySearchTest, AJdkIsUsedThroughItsRuntimeFolder) {
  WideString jdk = dir_.Path(L"jdk");
  test::AddJvmLibrary(jdk + platform::kPathSeparator + platform::kJdkRuntimeFolder, L"server");
  WideString bare = Runtime(L"bare-jdk");  // a library, but no runtime folder inside
  fixture_->AddRuntime(kJdk, L"1.8", jdk, false);
  fixture_->AddRuntime(kJdk, L"1.9", bare, false);
  JvmCandidateList found = FindRegistryRuntimes(requirements_, fixture_->View(), false);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].home, jdk + platform::kPathSeparator + platform::kJdkRuntimeFolder);
}

TEST_P(RegistrySearchTest, EmptyOrMissingHomesGiveNoCandidate) {
  fixture_->AddRuntime(kJre, L"1.8", L"", false);
  fixture_->AddRuntime(kJre, L"1.9", dir_.Path(L"missing"), false);
  EXPECT_TRUE(Versions().empty());
}

TEST_P(RegistrySearchTest, JvmTypeDecidesWhichLibrariesCount) {
  WideString client = Runtime(L"client", {L"client"});
  WideString both = Runtime(L"both", {L"client", L"server"});
  WideString jdk = dir_.Path(L"jdk");
  test::AddJvmLibrary(jdk + platform::kPathSeparator + platform::kJdkRuntimeFolder, L"client");
  test::AddJvmLibrary(jdk + platform::kPathSeparator + platform::kJdkRuntimeFolder, L"server");
  fixture_->AddRuntime(kJre, L"1.1", client, false);
  fixture_->AddRuntime(kJre, L"1.2", both, false);
  fixture_->AddRuntime(kJdk, L"1.3", jdk, false);

  requirements_.jvmType = settings::JvmTypeMode::Server;
  EXPECT_EQ(Versions(), (std::vector<WideString>{L"1.3", L"1.2"}));

  requirements_.jvmType = settings::JvmTypeMode::FavorServer;
  JvmCandidateList found = FindRegistryRuntimes(requirements_, fixture_->View(), false);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_TRUE(found[0].server);   // the JDK's runtime: server first
  EXPECT_FALSE(found[1].server);  // a JavaSoft JRE is searched as Default ...
  EXPECT_FALSE(found[2].server);  // ... so its client library wins
}

TEST_P(RegistrySearchTest, ThirtyTwoBitViewIsSeparate) {
  fixture_->AddRuntime(kJre, L"1.7", Runtime(L"rt32"), true);
  fixture_->AddRuntime(kJre, L"1.8", Runtime(L"rt64"), false);
  EXPECT_EQ(Versions(false), std::vector<WideString>{L"1.8"});
  EXPECT_EQ(Versions(true), std::vector<WideString>{L"1.7"});
}

struct VendorCase {
  const wchar_t* source;
  const wchar_t* provider;
  const char* searched;   // vendor keys searched, by number, in order
  const char* preferred;  // those whose candidates are preferred
};

TEST_P(RegistrySearchTest, JvmSourceAndVmProviderChooseTheVendorKeys) {
  const WideString keys[] = {kJdk, kJre, kJRockitJre, kJRockitJdk, kIbm};
  WideString rt = Runtime(L"rt");
  WideString jdk = dir_.Path(L"jdk");
  test::AddJvmLibrary(jdk + platform::kPathSeparator + platform::kJdkRuntimeFolder, L"server");
  for (int k = 0; k < 5; ++k) {
    const bool isJdk = keys[k].find(L"Development Kit") != WideString::npos;
    fixture_->AddRuntime(keys[k], std::to_wstring(k + 1), isJdk ? jdk : rt, false);
  }

  // Every "JVM Source" row with every "VM Provider" row; "favor_jre" differs from a
  // value of the table only in letter case and searches nothing.
  const VendorCase cases[] = {
      {L"", L"", "12", "12"},
      {L"", L"jrockit", "34", "34"},
      {L"", L"ibm", "5", "5"},
      {L"", L"favor_sun", "12345", "12"},
      {L"", L"favor_jrockit", "12345", "34"},
      {L"", L"favor_ibm", "12345", "5"},
      {L"", L"any", "12345", ""},
      {L"favor_JRE", L"", "12", "2"},
      {L"favor_JRE", L"jrockit", "34", "3"},
      {L"favor_JRE", L"ibm", "5", "5"},
      {L"favor_JRE", L"favor_sun", "12345", "2"},
      {L"favor_JRE", L"favor_jrockit", "12345", "3"},
      {L"favor_JRE", L"favor_ibm", "12345", "5"},
      {L"favor_JRE", L"any", "12345", ""},
      {L"favor_JDK", L"", "12", "1"},
      {L"favor_JDK", L"jrockit", "34", "4"},
      {L"favor_JDK", L"ibm", "5", ""},
      {L"favor_JDK", L"favor_sun", "12345", "1"},
      {L"favor_JDK", L"favor_jrockit", "12345", "4"},
      {L"favor_JDK", L"favor_ibm", "12345", ""},
      {L"favor_JDK", L"any", "12345", ""},
      {L"only_JRE", L"", "2", "2"},
      {L"only_JRE", L"jrockit", "3", "3"},
      {L"only_JRE", L"ibm", "5", "5"},
      {L"only_JRE", L"favor_sun", "235", "2"},
      {L"only_JRE", L"favor_jrockit", "235", "3"},
      {L"only_JRE", L"favor_ibm", "235", "5"},
      {L"only_JRE", L"any", "235", ""},
      {L"only_JDK", L"", "1", "1"},
      {L"only_JDK", L"jrockit", "4", "4"},
      {L"only_JDK", L"ibm", "", ""},
      {L"only_JDK", L"favor_sun", "14", "1"},
      {L"only_JDK", L"favor_jrockit", "14", "4"},
      {L"only_JDK", L"favor_ibm", "14", ""},
      {L"only_JDK", L"any", "14", ""},
      {L"favor_jre", L"", "", ""},
      {L"favor_jre", L"jrockit", "", ""},
      {L"favor_jre", L"ibm", "", ""},
      {L"favor_jre", L"favor_sun", "", ""},
      {L"favor_jre", L"favor_jrockit", "", ""},
      {L"favor_jre", L"favor_ibm", "", ""},
      {L"favor_jre", L"any", "", ""},
      {L"none", L"any", "", ""},
      {L"only_JRE", L"FAVOR_JROCKIT", "235", "3"},
  };

  for (const VendorCase& c : cases) {
    settings::RuntimeRequirements requirements;
    requirements.maximum = JavaVersion::Any(JavaVersion::kHighFill);
    requirements.source = settings::ParseSourcePolicy(c.source);
    requirements.vendor = settings::ParseVendorPolicy(c.provider);
    std::string searched, preferred;
    for (const JvmCandidate& candidate : FindRegistryRuntimes(requirements, fixture_->View(), false)) {
      char number = static_cast<char>('0' + candidate.version.components[0]);
      searched += number;
      if (candidate.preferred) preferred += number;
    }
    EXPECT_EQ(searched, c.searched) << "JVM Source '" << c.source << "', VM Provider '" << c.provider << "'";
    EXPECT_EQ(preferred, c.preferred) << "JVM Source '" << c.source << "', VM Provider '" << c.provider << "'";
  }
}

TEST_P(RegistrySearchTest, ResolutionChoosesOneRegisteredCandidate) {
  RuntimePlaces places;
  places.executableFolder = dir_.Path(L"app") + platform::kPathSeparator;
  EXPECT_FALSE(ResolveRuntime(requirements_, places, fixture_->View(), NoTrace()));
  fixture_->AddRuntime(kJre, L"1.8", Runtime(L"old"), false);
  fixture_->AddRuntime(kJre, L"11.0.2", Runtime(L"new"), false);
  std::optional<ResolvedRuntime> runtime = ResolveRuntime(requirements_, places, fixture_->View(), NoTrace());
  ASSERT_TRUE(runtime);
  EXPECT_EQ(Format(runtime->version), L"11.0.2");
  EXPECT_EQ(runtime->home, dir_.Path(L"new"));
  EXPECT_EQ(runtime->origin, RuntimeOrigin::Registry);
}

TEST_P(RegistrySearchTest, EverySubkeyMetIsTracedWithItsVerdict) {
  WideString rt = Runtime(L"rt");
  test::Touch(dir_.Path(L"empty") + platform::kPathSeparator + L"readme");
  fixture_->AddRuntime(kJre, L"1.5", rt, false);
  fixture_->AddRuntime(kJre, L"1.6", L"", false);
  fixture_->AddRuntime(kJre, L"1.7", dir_.Path(L"uninstalled"), false);
  fixture_->AddRuntime(kJre, L"1.8", dir_.Path(L"empty"), false);
  fixture_->AddRuntime(kJre, L"11", rt, false);
  fixture_->AddRuntime(kJre, L"12", rt, true);
  requirements_.minimum = ParseLowerBound(L"1.6");
  test::RecordingTrace trace;
  FindRegistryRuntimes(requirements_, fixture_->View(), false, trace);
  const std::string key = R"(candidate source="HKLM\\Software\\JavaSoft\\Java Runtime Environment\\)";
  EXPECT_EQ(trace.lines,
            (std::vector<std::string>{
                key + R"(1.5" verdict=refused reason="below \"Minimum Version\" 1.6.0.0")",
                key + R"(1.6" verdict=refused reason="no \"JavaHome\" value")",
                key + R"(1.7" verdict=refused reason="stale registry key: its \"JavaHome\" folder is gone")",
                key + R"(1.8" verdict=refused reason="no JVM library for \"JVM Type\" default")",
                key + R"(11" verdict=accepted version=11.0.0.0 kind=JRE vendor=Sun home=)" +
                    QuoteForTrace(platform::ToUtf8(rt + platform::kPathSeparator)) + " server=yes preferred=yes",
            }));

  trace.lines.clear();
  requirements_.maximum = ParseUpperBound(L"");
  FindRegistryRuntimes(requirements_, fixture_->View(), true, trace);
  EXPECT_EQ(trace.lines, std::vector<std::string>{
                             key + R"x(12 (32-bit view)" verdict=refused reason="above \"Maximum Version\", which is )x"
                                   R"(absent, so the upper bound is 0.0.0.0")"});
}

INSTANTIATE_TEST_SUITE_P(Registries, RegistrySearchTest, testing::ValuesIn(test::RegistryFixtureKinds()),
                         [](const testing::TestParamInfo<test::RegistryFixtureKind>& info) { return info.param.name; });

}  // namespace

}  // namespace launcher::discovery
