#include "jvm/process_environment.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher::jvm {

namespace {

using test::Join;

class ProcessEnvironmentTest : public testing::Test {
 protected:
  ProcessEnvironmentTest()
      : path_(platform::kSearchPathVariable, Join({L"", L"usr", L"bin"})),
        home_(L"QX_JVM_HOME", std::nullopt),
        library_(L"QX_JVM_PATH", std::nullopt) {}

  // Applies the settings for the runtime below; the library path it composes.
  WideString Apply() { return ApplyProcessEnvironment(settings_, jvmLibrary_, runtime_, Join({L"", L"app", L""})); }

  WideString Variable(const WideString& name) { return platform::GetEnvironmentValue(name).value_or(L"<unset>"); }

  const WideString runtime_ = Join({L"", L"rt"});
  const WideString list_ = WideString(1, platform::kPathListSeparator);
  const WideString jvmLibrary_ = runtime_ + platform::kPathSeparator + platform::JvmLibrarySubPaths(L"server").front();
  test::ScopedEnvironment path_, home_, library_;
  settings::EnvironmentSettings settings_;
};

TEST_F(ProcessEnvironmentTest, PublishesTheRuntimeAndExtendsTheSearchPath) {
  const WideString libraryPath = Apply();
  EXPECT_EQ(Variable(L"QX_JVM_PATH"), jvmLibrary_);
  EXPECT_EQ(Variable(L"QX_JVM_HOME"), runtime_);
  EXPECT_EQ(Variable(platform::kSearchPathVariable), Join({L"", L"usr", L"bin"}) + list_ + Join({runtime_, L"bin"}));
  EXPECT_EQ(libraryPath, L"");  // no "Library Path", no option
}

TEST_F(ProcessEnvironmentTest, SystemPathComesFirstWithOneSeparator) {
  for (const WideString& setting : WideStringList{L"tools", L"tools" + list_}) {
    test::ScopedEnvironment path(platform::kSearchPathVariable, L"old");
    settings_.systemPath = setting;
    Apply();
    EXPECT_EQ(Variable(platform::kSearchPathVariable), L"tools" + list_ + L"old" + list_ + Join({runtime_, L"bin"}));
  }
}

TEST_F(ProcessEnvironmentTest, LibraryPathIsComposedFromTheSetting) {
  test::ScopedEnvironment native(L"LAUNCHER_TEST_NATIVE", L"expanded");
  for (const WideString& setting : WideStringList{L"%LAUNCHER_TEST_NATIVE%", L"%LAUNCHER_TEST_NATIVE%" + list_}) {
    test::ScopedEnvironment path(platform::kSearchPathVariable, L"old");
    settings_.libraryPath = setting;
    const WideString expected = L"expanded" + list_ + Join({L"", L"app", L""}) + list_ + L"." + list_ + L"old" + list_ +
                                Join({runtime_, L"lib"});
    EXPECT_EQ(Apply(), expected);  // expanded with the search path as it was before
  }
}

TEST_F(ProcessEnvironmentTest, UndefinedReferencesStayAsWritten) {
  settings_.systemPath = L"%LAUNCHER_TEST_UNDEFINED%";
  Apply();
  EXPECT_EQ(Variable(platform::kSearchPathVariable).substr(0, 26), L"%LAUNCHER_TEST_UNDEFINED%" + list_);
}

TEST_F(ProcessEnvironmentTest, EveryVariableSetIsTraced) {
  test::RecordingTrace trace;
  ApplyProcessEnvironment(settings_, jvmLibrary_, runtime_, Join({L"", L"app", L""}), trace);
  auto line = [](const WideString& name, const WideString& value) {
    return "environment name=" + QuoteForTrace(platform::ToUtf8(name)) +
           " value=" + QuoteForTrace(platform::ToUtf8(value));
  };
  EXPECT_EQ(trace.Events("environment"),
            (std::vector<std::string>{
                line(L"QX_JVM_PATH", jvmLibrary_),
                line(L"QX_JVM_HOME", runtime_),
                line(platform::kSearchPathVariable, Join({L"", L"usr", L"bin"}) + list_ + Join({runtime_, L"bin"})),
            }));
}

// The runtime's own DLLs win: its native folder right after the executable's,
// ahead of the system's folders and the search path; the current folder never.
TEST(RuntimeLibrarySearchOrderTest, TheRuntimeFolderComesRightAfterTheExecutables) {
  const WideString list(1, platform::kPathListSeparator);
  const WideStringList system{L"system32", L"System", L"windows"};
  EXPECT_EQ(RuntimeLibrarySearchOrder({L"app", L"rt-bin", system, L"tools" + list + list + L"rt-bin"}),
            (WideStringList{L"app", L"rt-bin", L"system32", L"System", L"windows", L"tools", L"rt-bin"}));
  EXPECT_EQ(RuntimeLibrarySearchOrder({L"app", L"rt-lib", {}, L""}), (WideStringList{L"app", L"rt-lib"}));
}

}  // namespace

}  // namespace launcher::jvm
