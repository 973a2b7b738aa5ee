#include "discovery/runtime_lead.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "runtime_files.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

TEST(RuntimeFactsTest, WhatTheReleaseFileAndTheCompilerTell) {
  struct Case {
    const char* what;
    std::optional<std::string> release;
    bool compiler;
    const wchar_t* version;  // nullptr: none
    settings::RuntimeKind kind;
    settings::Vendor vendor;
  } cases[] = {
      {"no release file, no compiler", std::nullopt, false, nullptr, settings::RuntimeKind::Jre, settings::Vendor::Sun},
      {"no release file, a compiler", std::nullopt, true, nullptr, settings::RuntimeKind::Jdk, settings::Vendor::Sun},
      {"a HotSpot JDK", "JAVA_VERSION=\"17.0.2\"\nIMAGE_TYPE=\"JDK\"\nJVM_VARIANT=\"Hotspot\"\n", false, L"17.0.2",
       settings::RuntimeKind::Jdk, settings::Vendor::Sun},
      {"IMAGE_TYPE wins over the compiler", "JAVA_VERSION=\"11\"\nIMAGE_TYPE=\"JRE\"\n", true, L"11.0",
       settings::RuntimeKind::Jre, settings::Vendor::Sun},
      {"an OpenJ9 build counts as IBM's", "JAVA_VERSION=\"11.0.4\"\nJVM_VARIANT=\"Openj9\"\n", false, L"11.0.4",
       settings::RuntimeKind::Jre, settings::Vendor::Ibm},
      {"an old version text", "JAVA_VERSION=\"1.8.0_292\"\n", true, L"1.8.0.292", settings::RuntimeKind::Jdk,
       settings::Vendor::Sun},
      {"a version without digits is none", "JAVA_VERSION=\"unknown\"\n", false, nullptr, settings::RuntimeKind::Jre,
       settings::Vendor::Sun},
  };
  for (const Case& c : cases) {
    std::optional<std::string_view> text;
    if (c.release) text = *c.release;
    const RuntimeFacts facts = FactsOf(text, c.compiler);
    EXPECT_EQ(facts.version ? Format(*facts.version) : L"none", c.version ? c.version : L"none") << c.what;
    EXPECT_EQ(facts.kind, c.kind) << c.what;
    EXPECT_EQ(facts.vendor, c.vendor) << c.what;
  }
}

// Public: the cases of EachReasonToRefuse arrange it through a reference.
class JudgeLeadTest : public testing::Test {
 public:
  JudgeLeadTest() {
    requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill);
    lead_.source = L"the lead";
  }

  // A runtime folder with a server library and a release file; its path with a separator.
  WideString Runtime(const WideString& name, const std::string& release) {
    WideString home = dir_.Path(name) + platform::kPathSeparator;
    test::AddJvmLibrary(home, L"server");
    if (!release.empty()) test::WriteBytes(home + L"release", release);
    return home;
  }

  std::optional<JvmCandidate> Judge() { return JudgeLead(lead_, requirements_, trace_); }

  // The reason of the one refusal written.
  std::string Refusal() {
    const std::vector<std::string> lines = trace_.Events("candidate");
    if (lines.size() != 1) return "lines: " + std::to_string(lines.size());
    const size_t reason = lines[0].find(" reason=");
    return reason == std::string::npos ? lines[0] : lines[0].substr(reason + 8);
  }

  test::TempDir dir_;
  settings::RuntimeRequirements requirements_;
  RuntimeLead lead_;
  test::RecordingTrace trace_;
};

TEST_F(JudgeLeadTest, AFolderWithALibraryAndAVersionIsACandidate) {
  lead_.folder = Runtime(L"jdk-17", "JAVA_VERSION=\"17.0.2\"\nIMAGE_TYPE=\"JDK\"\n");
  lead_.folder.pop_back();  // written without the separator
  std::optional<JvmCandidate> candidate = Judge();
  ASSERT_TRUE(candidate);
  EXPECT_EQ(Format(candidate->version), L"17.0.2");
  EXPECT_EQ(candidate->home, lead_.folder + platform::kPathSeparator);
  EXPECT_EQ(candidate->kind, settings::RuntimeKind::Jdk);
  EXPECT_TRUE(candidate->server);
  EXPECT_TRUE(candidate->preferred);
  EXPECT_EQ(trace_.Events("candidate").size(), 1u);
  EXPECT_NE(trace_.lines[0].find("verdict=accepted version=17.0.2.0 kind=JDK vendor=Sun"), std::string::npos);
}

TEST_F(JudgeLeadTest, TheRegistrationsVersionKindAndVendorComeFirst) {
  lead_.folder = Runtime(L"rt", "JAVA_VERSION=\"17.0.2\"\nIMAGE_TYPE=\"JDK\"\n");
  lead_.version = ParseLowerBound(L"17.0.2.8");
  lead_.kind = settings::RuntimeKind::Jre;
  lead_.vendor = settings::Vendor::Ibm;
  requirements_.vendor = settings::VendorPolicy::Any;
  std::optional<JvmCandidate> candidate = Judge();
  ASSERT_TRUE(candidate);
  EXPECT_EQ(Format(candidate->version), L"17.0.2.8");
  EXPECT_EQ(candidate->kind, settings::RuntimeKind::Jre);
  EXPECT_EQ(candidate->vendor, settings::Vendor::Ibm);
  EXPECT_FALSE(candidate->preferred);  // "any" favours no vendor
}

TEST_F(JudgeLeadTest, AnOldJdkIsUsedThroughItsRuntime) {
  const WideString jdk = dir_.Path(L"jdk8") + platform::kPathSeparator;
  test::AddJvmLibrary(jdk + platform::kJdkRuntimeFolder, L"server");
  test::AddJavaLibrary(jdk + platform::kJdkRuntimeFolder);
  test::WriteBytes(jdk + L"release", "JAVA_VERSION=\"1.8.0_292\"\n");
  lead_.folder = jdk;
  std::optional<JvmCandidate> candidate = Judge();
  ASSERT_TRUE(candidate);
  EXPECT_EQ(candidate->home, jdk + platform::kJdkRuntimeFolder);
  EXPECT_EQ(candidate->kind, settings::RuntimeKind::Jdk);
  EXPECT_EQ(Format(candidate->version), L"1.8.0.292");
}

TEST_F(JudgeLeadTest, EachReasonToRefuse) {
  struct Case {
    const char* what;
    std::function<void(JudgeLeadTest&)> arrange;
    std::string reason;
  } cases[] = {
      {"no folder", [](JudgeLeadTest& t) { t.lead_.folder = L""; }, R"("it names no folder")"},
      {"a stale key", [](JudgeLeadTest& t) { t.lead_.folder = t.dir_.Path(L"uninstalled"); },
       R"("stale registry key: the folder it names is gone")"},
      {"a variable naming nothing",
       [](JudgeLeadTest& t) {
         t.lead_.folder = t.dir_.Path(L"uninstalled");
         t.lead_.registered = false;
       },
       R"("the folder it names is gone")"},
      {"an empty folder",
       [](JudgeLeadTest& t) {
         test::Touch(t.dir_.Path(L"empty") + platform::kPathSeparator + L"readme");
         t.lead_.folder = t.dir_.Path(L"empty");
       },
       R"("no JVM library for \"JVM Type\" default")"},
      {"a client library in Server mode",
       [](JudgeLeadTest& t) {
         const WideString home = t.dir_.Path(L"client") + platform::kPathSeparator;
         test::AddJvmLibrary(home, L"client");
         test::WriteBytes(home + L"release", "JAVA_VERSION=\"11\"\n");
         t.lead_.folder = home;
         t.requirements_.jvmType = settings::JvmTypeMode::Server;
       },
       R"("no JVM library for \"JVM Type\" server")"},
      {"a 32-bit library",
       [](JudgeLeadTest& t) {
         const WideString home = t.Runtime(L"x86", "JAVA_VERSION=\"11\"\n");
         std::string image(0x40, '\0');
         image[0] = 'M';
         image[1] = 'Z';
         image[0x3C] = 0x40;
         test::WriteBytes(test::JvmLibraryPath(home, L"server"),
                          image + std::string("PE\0\0\x4C\x01", 6) + std::string(18, '\0'));
         t.lead_.folder = home;
       },
       R"("wrong machine: its JVM library is a 32-bit one")"},
      {"no version anywhere", [](JudgeLeadTest& t) { t.lead_.folder = t.Runtime(L"unversioned", ""); },
       R"("no version: no JAVA_VERSION in its \"release\" file")"},
      {"above the maximum",
       [](JudgeLeadTest& t) {
         t.lead_.folder = t.Runtime(L"new", "JAVA_VERSION=\"21\"\n");
         t.requirements_.maximum = ParseUpperBound(L"17");
       },
       R"("above \"Maximum Version\" 17.65535.65535.65535")"},
      {"above an absent maximum",
       [](JudgeLeadTest& t) {
         t.lead_.folder = t.Runtime(L"any", "JAVA_VERSION=\"21\"\n");
         t.requirements_.maximum = ParseUpperBound(L"");
       },
       R"("above \"Maximum Version\", which is absent, so the upper bound is 0.0.0.0")"},
      {"below the minimum",
       [](JudgeLeadTest& t) {
         t.lead_.folder = t.Runtime(L"old", "JAVA_VERSION=\"11.0.2\"\n");
         t.requirements_.minimum = ParseLowerBound(L"17");
       },
       R"("below \"Minimum Version\" 17.0.0.0")"},
      {"a JDK when only JREs are asked for",
       [](JudgeLeadTest& t) {
         t.lead_.folder = t.Runtime(L"jdk", "JAVA_VERSION=\"17\"\nIMAGE_TYPE=\"JDK\"\n");
         t.requirements_.source = settings::SourcePolicy::OnlyJre;
       },
       R"("a JDK, which \"JVM Source\" does not ask for")"},
      {"an OpenJ9 build when only Sun's are accepted",
       [](JudgeLeadTest& t) { t.lead_.folder = t.Runtime(L"j9", "JAVA_VERSION=\"17\"\nJVM_VARIANT=\"Openj9\"\n"); },
       R"("a runtime of vendor IBM, which \"VM Provider\" does not accept")"},
  };
  for (Case& c : cases) {
    lead_ = RuntimeLead{};
    lead_.source = L"the lead";
    requirements_ = settings::RuntimeRequirements{};
    requirements_.maximum = JavaVersion::Any(JavaVersion::kHighFill);
    trace_.lines.clear();
    c.arrange(*this);
    EXPECT_FALSE(Judge()) << c.what;
    EXPECT_EQ(Refusal(), c.reason) << c.what;
  }
}

}  // namespace

}  // namespace launcher::discovery
