#include "app/run_sequence.h"

#include <gtest/gtest.h>

#include "platform/unicode.h"
#include "test_support.h"

namespace {

using test::Join;

// The paths of a start that end before any JVM library is loaded.
class RunSequenceTest : public testing::Test {
 protected:
  RunSequenceTest()
      : appData_(L"APPDATA", dir_.Path(L"user")),
        xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")),
        javaHome_(L"JAVA_HOME", std::nullopt) {}

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
  test::ScopedEnvironment javaHome_;
};

TEST_F(RunSequenceTest, AModulePathThatCannotBeReadIsReportedOnce) {
  test::RecordingUi ui;
  test::FakeRegistry registry;
  Host host{ui, registry, [] { return platform::ModulePathResult{false, L"", 2}; }, [] { return std::nullopt; }};
  EXPECT_EQ(RunLauncher(host), -1);
  EXPECT_EQ(ui.errors, std::vector<WideString>{L"Windows exception: failed to get the module path (errno = 2).\n"});
}

TEST_F(RunSequenceTest, NoSettingsFileEndsWithTheMainClassMessage) {
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host), -1);
  EXPECT_EQ(fake.ui.errors, std::vector<WideString>{L"Main class was not specified in INI file."});
  EXPECT_EQ(fake.ui.owners, std::vector<WindowHandle>{nullptr});
  EXPECT_TRUE(fake.ui.runtimeQuestions.empty());
}

TEST_F(RunSequenceTest, NoRuntimeAsksTheUserAndADeclinedQuestionEndsSilently) {
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Application]\r\nMain Class=Main\r\n[Java Runtime Environment]\r\nMinimum Version=1.8\r\n"
                   "Maximum Version=any\r\n");
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host), -1);
  ASSERT_EQ(fake.ui.runtimeQuestions.size(), 1u);
  EXPECT_EQ(fake.ui.runtimeQuestions[0],
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE "
            L"(minimum version 1.8) from:");
  EXPECT_TRUE(fake.ui.errors.empty());
}

TEST_F(RunSequenceTest, TheTraceFollowsTheStartToItsExitCodeAndReason) {
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}), "[Application]\r\nMain Class=Main\r\n");
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host), -1);
  const std::vector<std::string>& lines = fake.trace.lines;
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], R"(phase name="start")");
  EXPECT_EQ(lines[1].rfind("library-search rule=", 0), 0u) << lines[1];
  EXPECT_TRUE(
      fake.trace.Has("executable path=" + QuoteForTrace(platform::ToUtf8(Join({dir_.Path(L"app"), L"app.exe"})))));
  // Without "Maximum Version" nothing installed can qualify: said in words.
  EXPECT_EQ(fake.trace.Events("note").size(), 1u);
  EXPECT_TRUE(fake.trace.Has(R"(question name="JRE Not Found" answer=cancelled)"));
  EXPECT_EQ(lines.back(), R"x(exit code=-1 reason="failed without a message (the lines above tell why)")x");

  test::FakeHost noSettings(Join({dir_.Path(L"other"), L"other.exe"}));
  EXPECT_EQ(RunLauncher(noSettings.host), -1);
  EXPECT_EQ(noSettings.trace.lines.back(), R"(exit code=-1 reason="Main class was not specified in INI file.")");
}

}  // namespace
