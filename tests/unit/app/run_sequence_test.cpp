#include "app/run_sequence.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

using test::Join;

// The paths of a start that end before any JVM library is loaded.
class RunSequenceTest : public testing::Test {
 protected:
  RunSequenceTest() : appData_(L"APPDATA", dir_.Path(L"user")), xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")) {}

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
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

TEST_F(RunSequenceTest, TheCacheBuildVariableMakesABuildThatLeavesOtherFilesAlone) {
  // Set, the launcher builds the start-up cache instead of starting anything;
  // a file that is no job of its own is neither run nor removed.
  const WideString document = dir_.Path(L"notes.txt");
  test::WriteBytes(document, "not a job");
  test::ScopedEnvironment build(L"QX_LAUNCHER_CACHE_BUILD", document);
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host), 1);
  EXPECT_TRUE(fake.ui.errors.empty());
  EXPECT_EQ(test::ReadBytes(document), "not a job");
}

}  // namespace
