#include "app/run_sequence.h"
#include "app/program_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

#include "instance/single_instance.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_files.h"
#include "test_support.h"

namespace launcher::app {

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

// The headers of a 32-bit x86 PE image: all that decides that a runtime needs
// the companion.
std::string I386Image() {
  std::string image(0x40, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  image[0x3C] = 0x40;
  return image + std::string("PE\0\0\x4C\x01", 6) + std::string(18, '\0');
}

TEST_F(RunSequenceTest, AModulePathThatCannotBeReadIsReportedOnce) {
  test::RecordingUi ui;
  test::FakeRegistry registry;
  Host host{ui, registry, [] { return platform::SystemResult<WideString>(platform::SystemError{2}); },
            [] { return std::nullopt; }};
  EXPECT_EQ(RunLauncher(host, {}), -1);
  EXPECT_EQ(ui.errors, std::vector<WideString>{L"Windows exception: failed to get the module path (errno = 2).\n"});
}

TEST_F(RunSequenceTest, NoSettingsFileEndsWithTheMainClassMessage) {
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host, {}), -1);
  EXPECT_EQ(fake.ui.errors, std::vector<WideString>{L"Main class was not specified in INI file."});
  EXPECT_EQ(fake.ui.owners, std::vector<ui::WindowHandle>{nullptr});
  EXPECT_TRUE(fake.ui.runtimeQuestions.empty());
}

TEST_F(RunSequenceTest, NoRuntimeAsksTheUserAndADeclinedQuestionEndsSilently) {
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Application]\r\nMain Class=Main\r\n[Java Runtime Environment]\r\nMinimum Version=1.8\r\n"
                   "Maximum Version=any\r\n");
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host, {}), -1);
  ASSERT_EQ(fake.ui.runtimeQuestions.size(), 1u);
  EXPECT_EQ(fake.ui.runtimeQuestions[0],
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE "
            L"(minimum version 1.8) from:");
  EXPECT_TRUE(fake.ui.errors.empty());
}

TEST_F(RunSequenceTest, ACompanionThatCannotBeStartedIsReportedWithItsPathAndTheSystemsReason) {
  const WideString home = dir_.Path(L"jre32") + platform::kPathSeparator;
  test::WriteBytes(test::JvmLibraryPath(home, L"server"), I386Image());
  const WideString companion = Join({dir_.Path(L"app"), L"missing-companion.exe"});
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Application]\r\nMain Class=Main\r\nPair Product=" + platform::ToUtf8(companion) +
                       "\r\n[Java Runtime Environment]\r\nJRE Path=" + platform::ToUtf8(home) + "\r\n");
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host, {}), -1);
  EXPECT_EQ(fake.ui.errors,
            std::vector<WideString>{L"Failed to start the pair product " + companion + L" (errno = 2).\n"});
}

// A relative "Pair Product" names a file of the current folder, and is started
// by that full path, not looked for beside the launcher.
TEST_F(RunSequenceTest, ARelativeCompanionIsTakenFromTheCurrentFolder) {
  const WideString home = dir_.Path(L"jre32") + platform::kPathSeparator;
  test::WriteBytes(test::JvmLibraryPath(home, L"server"), I386Image());
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Application]\r\nMain Class=Main\r\nPair Product=companion.exe\r\n"
                   "[Java Runtime Environment]\r\nJRE Path=" +
                       platform::ToUtf8(home) + "\r\n");
  test::Touch(Join({dir_.Path(L"start"), L"placeholder"}));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(test::NativePath(dir_.Path(L"start")));
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host, {}), -1);
  std::filesystem::current_path(previous);
  const WideString companion = Join({dir_.Path(L"start"), L"companion.exe"});
  EXPECT_EQ(fake.ui.errors,
            std::vector<WideString>{L"Failed to start the pair product " + companion + L" (errno = 2).\n"});
}

// The launcher's start as a second instance of the executable whose first
// instance this test holds: it hands over, and ends with the reply, without
// looking for a runtime.
class SecondInstanceRunTest : public RunSequenceTest {
 protected:
  SecondInstanceRunTest() : runtimeFolder_(L"XDG_RUNTIME_DIR", dir_.Path(L"run")) {}

  WideString Executable() const { return Join({dir_.Path(L"app"), L"app.exe"}); }

  std::unique_ptr<instance::FirstInstance> ClaimFirst() {
    instance::InstanceRole role = instance::SetUpSingleInstance(Executable());
    auto* first = std::get_if<std::unique_ptr<instance::FirstInstance>>(&role);
    return first != nullptr ? std::move(*first) : nullptr;
  }

  test::ScopedEnvironment runtimeFolder_;
};

TEST_F(SecondInstanceRunTest, ASecondInstanceEndsWithTheFirstInstancesReply) {
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Application]\r\nMain Class=Main\r\nSingle Instance=yes\r\n");
  std::unique_ptr<instance::FirstInstance> first = ClaimFirst();
  ASSERT_TRUE(first);
  first->OpenForwarding([](const WideStringList&, const instance::Reply& reply) { reply(42); });
  test::FakeHost fake(Executable());
  EXPECT_EQ(RunLauncher(fake.host, {}), 42);
  EXPECT_TRUE(fake.ui.runtimeQuestions.empty());
  EXPECT_TRUE(fake.ui.errors.empty());
}

TEST_F(SecondInstanceRunTest, OnlyYesInSmallLettersAndNeverAServiceHandsOver) {
  std::unique_ptr<instance::FirstInstance> first = ClaimFirst();
  ASSERT_TRUE(first);
  first->OpenForwarding([](const WideStringList&, const instance::Reply& reply) { reply(42); });
  for (const char* lines : {"Single Instance=Yes\r\n", "Single Instance=yes\r\nApplication Type=service\r\n"}) {
    test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                     std::string("[Application]\r\nMain Class=Main\r\n") + lines);
    test::FakeHost fake(Executable());
    // An ordinary start: it looks for a runtime, asks, and is declined.
    EXPECT_EQ(RunLauncher(fake.host, {}), -1) << lines;
    EXPECT_EQ(fake.ui.runtimeQuestions.size(), 1u) << lines;
  }
}

TEST_F(RunSequenceTest, OverrideWorkingDirEntersTheLaunchersFolderBeforeTheRuntimeIsLookedFor) {
  const std::filesystem::path before = std::filesystem::current_path();
  // A relative "JRE Path" is found beside the launcher, not in the folder the
  // start came from (an empty library then fails to load).
  test::AddJvmLibrary(Join({dir_.Path(L"app"), L"jre"}) + platform::kPathSeparator, L"server");
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Application]\r\nMain Class=Main\r\nOverride WorkingDir=Yes\r\n"
                   "[Java Runtime Environment]\r\nJRE Path=jre\r\n");
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host, {}), -1);
  const std::filesystem::path during = std::filesystem::current_path();
  std::filesystem::current_path(before);
  EXPECT_TRUE(std::filesystem::equivalent(during, test::NativePath(dir_.Path(L"app"))));
  EXPECT_TRUE(fake.ui.runtimeQuestions.empty());
  ASSERT_EQ(fake.ui.errors.size(), 1u);
  const WideString library = L"Failed to load Java VM library: " + Join({dir_.Path(L"app"), L"jre"});
  EXPECT_EQ(fake.ui.errors[0].rfind(library, 0), 0u) << fake.ui.errors[0];
}

TEST_F(RunSequenceTest, TheTraceFollowsTheStartToItsExitCodeAndReason) {
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}), "[Application]\r\nMain Class=Main\r\n");
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunLauncher(fake.host, {}), -1);
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
  EXPECT_EQ(RunLauncher(noSettings.host, {}), -1);
  EXPECT_EQ(noSettings.trace.lines.back(), R"(exit code=-1 reason="Main class was not specified in INI file.")");
}

TEST_F(RunSequenceTest, TheCacheBuildVariableMakesABuildThatLeavesOtherFilesAlone) {
  // Set, the launcher builds the start-up cache instead of starting anything;
  // a file that is no job of its own is neither run nor removed.
  const WideString document = dir_.Path(L"notes.txt");
  test::WriteBytes(document, "not a job");
  test::ScopedEnvironment build(L"QX_LAUNCHER_CACHE_BUILD", document);
  test::FakeHost fake(Join({dir_.Path(L"app"), L"app.exe"}));
  EXPECT_EQ(RunProgram(fake.host, {}), 1);
  EXPECT_TRUE(fake.ui.errors.empty());
  EXPECT_EQ(test::ReadBytes(document), "not a job");
}

}  // namespace

}  // namespace launcher::app
