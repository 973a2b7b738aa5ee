#include "discovery/modern_registry_search.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "registry_fixture.h"
#include "runtime_files.h"
#include "settings/settings_values.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

constexpr platform::RegistryHive kMachine = platform::RegistryHive::LocalMachine;
constexpr platform::RegistryHive kUser = platform::RegistryHive::CurrentUser;

class ModernRegistrySearchTest : public testing::TestWithParam<test::RegistryFixtureKind> {
 protected:
  ModernRegistrySearchTest() : fixture_(GetParam().make()) {
    requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill);
    requirements_.vendor = settings::VendorPolicy::Any;
  }

  // A runtime folder with a server library and, when given, a release file;
  // its path without a separator.
  WideString Runtime(const WideString& name, const std::string& release = "") {
    const WideString home = dir_.Path(name) + platform::kPathSeparator;
    test::AddJvmLibrary(home, L"server");
    if (!release.empty()) test::WriteBytes(home + L"release", release);
    return dir_.Path(name);
  }

  JvmCandidateList Find() { return FindModernRegistryRuntimes(requirements_, fixture_->View(), trace_); }

  // "source version kind vendor" of each candidate found.
  std::vector<std::string> Found() {
    std::vector<std::string> found;
    for (const JvmCandidate& c : Find()) {
      found.push_back(platform::ToUtf8(c.source) + " " + platform::ToUtf8(Format(c.version)) + " " +
                      (c.kind == settings::RuntimeKind::Jdk ? "JDK" : "JRE") + " " +
                      (c.vendor == settings::Vendor::Ibm ? "IBM" : "Sun"));
    }
    return found;
  }

  test::TempDir dir_;
  std::unique_ptr<test::RegistryFixture> fixture_;
  settings::RuntimeRequirements requirements_;
  test::RecordingTrace trace_;
};

struct FamilyCase {
  const wchar_t* key;    // the key that holds the folder value
  const wchar_t* value;  // the value's name
  const char* found;     // how the candidate shows, after the hive
};

TEST_P(ModernRegistrySearchTest, EveryFamilyInEitherHive) {
  const std::string release = "JAVA_VERSION=\"17.0.9\"\n";
  const FamilyCase cases[] = {
      {L"Software\\JavaSoft\\JDK\\17.0.2", L"JavaHome", "Software\\JavaSoft\\JDK\\17.0.2 17.0.2 JDK Sun"},
      {L"Software\\JavaSoft\\JRE\\9", L"JavaHome", "Software\\JavaSoft\\JRE\\9 9.0 JRE Sun"},
      {L"Software\\Eclipse Adoptium\\JDK\\17.0.2.8\\hotspot\\MSI", L"Path",
       "Software\\Eclipse Adoptium\\JDK\\17.0.2.8\\hotspot\\MSI 17.0.2.8 JDK Sun"},
      {L"Software\\Eclipse Adoptium\\JRE\\17.0.2.8\\hotspot\\MSI", L"Path",
       "Software\\Eclipse Adoptium\\JRE\\17.0.2.8\\hotspot\\MSI 17.0.2.8 JRE Sun"},
      {L"Software\\Eclipse Foundation\\JDK\\16.0.1.9\\hotspot\\MSI", L"Path",
       "Software\\Eclipse Foundation\\JDK\\16.0.1.9\\hotspot\\MSI 16.0.1.9 JDK Sun"},
      {L"Software\\Eclipse Foundation\\JRE\\16.0.1.9\\hotspot\\MSI", L"Path",
       "Software\\Eclipse Foundation\\JRE\\16.0.1.9\\hotspot\\MSI 16.0.1.9 JRE Sun"},
      {L"Software\\AdoptOpenJDK\\JDK\\11.0.10.9\\hotspot\\MSI", L"Path",
       "Software\\AdoptOpenJDK\\JDK\\11.0.10.9\\hotspot\\MSI 11.0.10.9 JDK Sun"},
      {L"Software\\AdoptOpenJDK\\JDK\\11.0.10.9\\openj9\\MSI", L"Path",
       "Software\\AdoptOpenJDK\\JDK\\11.0.10.9\\openj9\\MSI 11.0.10.9 JDK IBM"},
      {L"Software\\AdoptOpenJDK\\JRE\\8.0.282.8\\hotspot\\MSI", L"Path",
       "Software\\AdoptOpenJDK\\JRE\\8.0.282.8\\hotspot\\MSI 8.0.282.8 JRE Sun"},
      {L"Software\\AdoptOpenJDK\\JRE\\8.0.282.8\\openj9\\MSI", L"Path",
       "Software\\AdoptOpenJDK\\JRE\\8.0.282.8\\openj9\\MSI 8.0.282.8 JRE IBM"},
      {L"Software\\Microsoft\\JDK\\21.0.1.12\\hotspot\\MSI", L"Path",
       "Software\\Microsoft\\JDK\\21.0.1.12\\hotspot\\MSI 21.0.1.12 JDK Sun"},
      {L"Software\\Semeru\\JDK\\17.0.8.7\\openj9\\MSI", L"Path",
       "Software\\Semeru\\JDK\\17.0.8.7\\openj9\\MSI 17.0.8.7 JDK IBM"},
      {L"Software\\Semeru\\JRE\\17.0.8.7\\openj9\\MSI", L"Path",
       "Software\\Semeru\\JRE\\17.0.8.7\\openj9\\MSI 17.0.8.7 JRE IBM"},
      // Named subkeys: the version comes from the release file, the kind from the folder.
      {L"Software\\Azul Systems\\Zulu\\zulu-17", L"InstallationPath",
       "Software\\Azul Systems\\Zulu\\zulu-17 17.0.9 JRE Sun"},
      {L"Software\\BellSoft\\Liberica\\jdk-17", L"InstallationPath",
       "Software\\BellSoft\\Liberica\\jdk-17 17.0.9 JRE Sun"},
  };
  const WideString home = Runtime(L"rt", release);
  for (platform::RegistryHive hive : {kMachine, kUser}) {
    for (const FamilyCase& c : cases) {
      fixture_ = GetParam().make();
      fixture_->SetValue(hive, c.key, c.value, home);
      const std::string expected = std::string(hive == kMachine ? "HKLM\\" : "HKCU\\") + c.found;
      EXPECT_EQ(Found(), std::vector<std::string>{expected});
    }
  }
}

TEST_P(ModernRegistrySearchTest, TheMachineComesBeforeTheUserAndAStaleKeyIsSkipped) {
  const WideString current = Runtime(L"current", "JAVA_VERSION=\"17.0.2\"\n");
  fixture_->SetValue(kUser, L"Software\\Microsoft\\JDK\\17.0.2.8\\hotspot\\MSI", L"Path", current);
  fixture_->SetValue(kMachine, L"Software\\Eclipse Adoptium\\JDK\\11.0.1.13\\hotspot\\MSI", L"Path",
                     dir_.Path(L"uninstalled"));
  fixture_->SetValue(kMachine, L"Software\\Eclipse Adoptium\\JDK\\17.0.1.12\\hotspot\\MSI", L"Path", current);
  EXPECT_EQ(Found(), (std::vector<std::string>{
                         "HKLM\\Software\\Eclipse Adoptium\\JDK\\17.0.1.12\\hotspot\\MSI 17.0.1.12 JDK Sun",
                         "HKCU\\Software\\Microsoft\\JDK\\17.0.2.8\\hotspot\\MSI 17.0.2.8 JDK Sun",
                     }));
  EXPECT_TRUE(trace_.Has(R"(candidate source="HKLM\\Software\\Eclipse Adoptium\\JDK\\11.0.1.13\\hotspot\\MSI" )"
                         R"(verdict=refused reason="stale registry key: the folder it names is gone")"));
}

TEST_P(ModernRegistrySearchTest, TheVersionComesFromTheReleaseFileWhenTheNameIsNone) {
  fixture_->SetValue(kMachine, L"Software\\Azul Systems\\Zulu\\zulu-11", L"InstallationPath",
                     Runtime(L"zulu11", "JAVA_VERSION=\"11.0.21\"\nIMAGE_TYPE=\"JDK\"\n"));
  fixture_->SetValue(kMachine, L"Software\\Azul Systems\\Zulu\\zulu-8", L"InstallationPath", Runtime(L"zulu8"));
  EXPECT_EQ(Found(), std::vector<std::string>{"HKLM\\Software\\Azul Systems\\Zulu\\zulu-11 11.0.21 JDK Sun"});
  EXPECT_TRUE(trace_.Has(R"(candidate source="HKLM\\Software\\Azul Systems\\Zulu\\zulu-8" verdict=refused )"
                         R"(reason="no version: no JAVA_VERSION in its \"release\" file")"));
}

TEST_P(ModernRegistrySearchTest, SourceProviderAndBoundsApplyAsToTheVendorKeys) {
  fixture_->SetValue(kMachine, L"Software\\Eclipse Adoptium\\JDK\\17.0.2.8\\hotspot\\MSI", L"Path",
                     Runtime(L"temurin17"));
  fixture_->SetValue(kMachine, L"Software\\Semeru\\JRE\\11.0.20.8\\openj9\\MSI", L"Path", Runtime(L"semeru11"));
  fixture_->SetValue(kUser, L"Software\\Microsoft\\JDK\\21.0.1.12\\hotspot\\MSI", L"Path", Runtime(L"ms21"));
  struct Case {
    const wchar_t *source, *provider, *minimum, *maximum;
    const char* versions;  // found, in order, with "*" after the preferred ones
  } cases[] = {
      {L"", L"", L"", L"any", "17* 21*"},               // Sun's only, by default
      {L"", L"any", L"", L"any", "17 11 21"},           // every vendor, none favoured
      {L"", L"ibm", L"", L"any", "11*"},                // OpenJ9 builds count as IBM's
      {L"only_JRE", L"favor_ibm", L"", L"any", "11*"},  // JDK keys count as JDKs
      {L"favor_JDK", L"favor_sun", L"", L"any", "17* 11 21*"},
      {L"", L"any", L"12", L"17.0.2.8", "17"},  // both bounds inclusive
      {L"", L"any", L"", L"", ""},              // the absent maximum keeps them all out
  };
  for (const Case& c : cases) {
    requirements_.source = settings::ParseSourcePolicy(c.source);
    requirements_.vendor = settings::ParseVendorPolicy(c.provider);
    requirements_.minimum = ParseLowerBound(c.minimum);
    requirements_.maximum = ParseUpperBound(c.maximum);
    std::string versions;
    for (const JvmCandidate& candidate : Find()) {
      if (!versions.empty()) versions += ' ';
      versions += std::to_string(candidate.version.components[0]) + (candidate.preferred ? "*" : "");
    }
    EXPECT_EQ(versions, c.versions) << "JVM Source '" << c.source << "', VM Provider '" << c.provider << "', bounds "
                                    << c.minimum << "-" << c.maximum;
  }
}

TEST_P(ModernRegistrySearchTest, AnOldJdkRegisteredByAFreeBuildIsUsedThroughItsRuntime) {
  const WideString jdk = dir_.Path(L"jdk8") + platform::kPathSeparator;
  test::AddJvmLibrary(jdk + platform::kJdkRuntimeFolder, L"server");
  test::AddJavaLibrary(jdk + platform::kJdkRuntimeFolder);
  fixture_->SetValue(kMachine, L"Software\\Eclipse Adoptium\\JDK\\8.0.392.8\\hotspot\\MSI", L"Path", jdk);
  JvmCandidateList found = Find();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].home, jdk + platform::kJdkRuntimeFolder);
}

INSTANTIATE_TEST_SUITE_P(Registries, ModernRegistrySearchTest, testing::ValuesIn(test::RegistryFixtureKinds()),
                         [](const testing::TestParamInfo<test::RegistryFixtureKind>& info) { return info.param.name; });

}  // namespace

}  // namespace launcher::discovery
