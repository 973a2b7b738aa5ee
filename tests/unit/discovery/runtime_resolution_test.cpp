#include "discovery/runtime_resolution.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_files.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

const WideString kJre = L"Software\\JavaSoft\\Java Runtime Environment\\";
const WideString kTemurin = L"Software\\Eclipse Adoptium\\JDK\\";

// The order of the sources beyond the vendor keys of the registry.
class ResolutionOrderTest : public testing::Test {
 protected:
  ResolutionOrderTest() { requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill); }

  WideString Runtime(const WideString& name, const std::string& version) {
    const WideString home = dir_.Path(name) + platform::kPathSeparator;
    test::AddJvmLibrary(home, L"server");
    test::WriteBytes(home + L"release", "JAVA_VERSION=\"" + version + "\"\n");
    return dir_.Path(name);
  }

  std::optional<ResolvedRuntime> Resolve(const std::optional<WideString>& javaHome = std::nullopt) {
    trace_.lines.clear();
    registry_.opened.clear();
    return ResolveRuntime(
        requirements_,
        {.executableFolder = dir_.Path(L"app") + platform::kPathSeparator,
         .environmentHome = javaHome,
         .storedRuntimes = stored_ ? std::function<WideStringList()>([this] { return *stored_; }) : nullptr},
        registry_, trace_);
  }

  bool Opened(const WideString& prefix) {
    return std::any_of(registry_.opened.begin(), registry_.opened.end(),
                       [&](const auto& key) { return key.first.compare(0, prefix.size(), prefix) == 0; });
  }

  test::TempDir dir_;
  test::FakeRegistry registry_;
  settings::RuntimeRequirements requirements_;
  test::RecordingTrace trace_;
  std::optional<WideStringList> stored_;
};

TEST_F(ResolutionOrderTest, TodaysKeysOnlyWhenTheVendorKeysGiveNoCandidate) {
  registry_.AddRuntime(kJre, L"1.8", Runtime(L"jre8", "1.8.0_392"));
  registry_.SetValue(platform::RegistryHive::LocalMachine, kTemurin + L"21.0.1.12\\hotspot\\MSI", L"Path",
                     Runtime(L"temurin21", "21.0.1"));

  std::optional<ResolvedRuntime> runtime = Resolve();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->home, dir_.Path(L"jre8"));
  EXPECT_EQ(runtime->origin, RuntimeOrigin::Registry);
  EXPECT_EQ(runtime->vendor, settings::Vendor::Sun);
  EXPECT_FALSE(Opened(L"HKLM\\" + kTemurin));  // not even looked at
  EXPECT_FALSE(Opened(L"HKCU\\"));

  requirements_.minimum = ParseLowerBound(L"11");  // the registered 1.8 is out
  runtime = Resolve();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->home, dir_.Path(L"temurin21"));
  EXPECT_EQ(Format(runtime->version), L"21.0.1.12");
  EXPECT_EQ(runtime->origin, RuntimeOrigin::ModernRegistry);
  EXPECT_EQ(runtime->vendor, std::nullopt);  // not an IBM registration of old, whatever its VM
  EXPECT_TRUE(trace_.Has(R"(search stage="registry" candidates=0)"));
  EXPECT_TRUE(trace_.Has(R"(search stage="current installers' registry keys" candidates=1)"));
}

TEST_F(ResolutionOrderTest, PreferredVersionsChooseAmongTodaysRuntimesToo) {
  registry_.SetValue(platform::RegistryHive::LocalMachine, kTemurin + L"17.0.9.9\\hotspot\\MSI", L"Path",
                     Runtime(L"temurin17", "17.0.9"));
  registry_.SetValue(platform::RegistryHive::CurrentUser, kTemurin + L"21.0.1.12\\hotspot\\MSI", L"Path",
                     Runtime(L"temurin21", "21.0.1"));
  EXPECT_EQ(Resolve()->home, dir_.Path(L"temurin21"));
  requirements_.preferredVersions = {L"17"};
  EXPECT_EQ(Resolve()->home, dir_.Path(L"temurin17"));
}

TEST_F(ResolutionOrderTest, JavaHomeComesLastWithTheSameRules) {
  const WideString javaHome = Runtime(L"home17", "17.0.2");
  std::optional<ResolvedRuntime> runtime = Resolve(javaHome);
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->home, javaHome);
  EXPECT_EQ(runtime->origin, RuntimeOrigin::EnvironmentHome);
  EXPECT_EQ(Format(runtime->version), L"17.0.2");
  EXPECT_TRUE(trace_.Has(R"(choice source="JAVA_HOME" version=17.0.2.0 reason="the best-ranked of 1 candidates")"));

  requirements_.maximum = ParseUpperBound(L"11");
  EXPECT_FALSE(Resolve(javaHome));
  EXPECT_TRUE(trace_.Has(R"(candidate source="JAVA_HOME" verdict=refused reason="above \"Maximum Version\" )"
                         R"(11.65535.65535.65535")"));

  requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill);
  registry_.AddRuntime(kJre, L"11", Runtime(L"jre11", "11"));
  EXPECT_EQ(Resolve(javaHome)->home, dir_.Path(L"jre11"));
  EXPECT_TRUE(trace_.Events("candidate source=\"JAVA_HOME\"").empty());

  EXPECT_EQ(Resolve(dir_.Path(L"gone"))->home, dir_.Path(L"jre11"));
}

// The user's store comes after every other source: its runtimes within the
// bounds qualify like any others, the newest first; outside them, none does.
TEST_F(ResolutionOrderTest, TheRuntimeStoreComesAfterEveryOtherSource) {
  stored_ = WideStringList{};
  EXPECT_FALSE(Resolve());
  EXPECT_TRUE(trace_.Has(R"(search stage="runtime store" candidates=0)"));

  stored_ = WideStringList{Runtime(L"store-17", "17.0.2"), Runtime(L"store-21", "21.0.1"), dir_.Path(L"store-gone")};
  std::optional<ResolvedRuntime> runtime = Resolve();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->home, dir_.Path(L"store-21"));
  EXPECT_EQ(runtime->origin, RuntimeOrigin::RuntimeStore);

  requirements_.maximum = ParseUpperBound(L"17");
  EXPECT_EQ(Resolve()->home, dir_.Path(L"store-17"));
  requirements_.minimum = ParseLowerBound(L"18");
  EXPECT_FALSE(Resolve());

  // An installed runtime wins over the store, JAVA_HOME included.
  requirements_ = {};
  requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill);
  EXPECT_EQ(Resolve(Runtime(L"home11", "11.0.1"))->origin, RuntimeOrigin::EnvironmentHome);
  registry_.AddRuntime(kJre, L"11", Runtime(L"jre11", "11"));
  EXPECT_EQ(Resolve()->origin, RuntimeOrigin::Registry);
  EXPECT_TRUE(trace_.Events("search stage=\"runtime store\"").empty());
}

TEST_F(ResolutionOrderTest, AnAbsentMaximumIsExplainedInWords) {
  registry_.AddRuntime(kJre, L"11", Runtime(L"jre11", "11"));
  requirements_.maximum = ParseUpperBound(L"");
  EXPECT_FALSE(Resolve(Runtime(L"home17", "17")));
  const std::vector<std::string> notes = trace_.Events("note");
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0],
            "note \"Maximum Version\" is absent (or holds no version), so the upper bound is 0.0.0.0 and no installed "
            "runtime can qualify; set \"Maximum Version=any\", or the newest version the application supports, in "
            "[Java Runtime Environment].");

  requirements_.maximum = ParseUpperBound(L"1.8");  // a maximum that excludes them is no trap
  EXPECT_FALSE(Resolve());
  EXPECT_TRUE(trace_.Events("note").empty());
}

TEST_F(ResolutionOrderTest, TheSettingsFolderAndPrivateRuntimeAreTraced) {
  requirements_.jrePath = dir_.Path(L"nothing");
  const WideString privateHome = dir_.Path(L"app") + platform::kPathSeparator;
  test::AddJavaLibrary(privateHome);
  test::AddJvmLibrary(privateHome, L"server");
  std::optional<ResolvedRuntime> runtime = Resolve();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->origin, RuntimeOrigin::PrivateRuntime);
  const std::string nothing = QuoteForTrace(platform::ToUtf8(dir_.Path(L"nothing") + platform::kPathSeparator));
  const std::string app = QuoteForTrace(platform::ToUtf8(privateHome));
  EXPECT_EQ(trace_.lines, (std::vector<std::string>{
                              "candidate source=\"JRE Path\" home=" + nothing +
                                  " verdict=refused reason=\"no JVM library for \\\"JVM Type\\\" default\"",
                              R"(search stage="JRE Path" candidates=0)",
                              "candidate source=\"private runtime\" home=" + app + " verdict=accepted",
                              R"(search stage="private runtime" candidates=1)",
                          }));
}

}  // namespace

}  // namespace launcher::discovery
