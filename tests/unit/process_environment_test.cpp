#include "jvm/process_environment.h"

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/path_syntax.h"
#include "platform/runtime_layout.h"
#include "test_support.h"

namespace {

using test::Join;

class PrepareEnvironmentTest : public testing::Test {
 protected:
  PrepareEnvironmentTest()
      : path_(platform::kSearchPathVariable, Join({L"", L"usr", L"bin"})),
        home_(L"QX_JVM_HOME", std::nullopt),
        library_(L"QX_JVM_PATH", std::nullopt),
        fake_(Join({L"", L"app", L"app.exe"})),
        launcher_(fake_.host) {
    launcher_.jvmLibraryPath = runtime_ + platform::kPathSeparator + platform::JvmLibrarySubPaths(L"server").front();
  }

  WideString Variable(const WideString& name) { return platform::GetEnvironmentValue(name).value_or(L"<unset>"); }

  const WideString runtime_ = Join({L"", L"rt"});
  const WideString list_ = WideString(1, platform::kPathListSeparator);
  test::ScopedEnvironment path_, home_, library_;
  test::FakeHost fake_;
  Launcher launcher_;
};

TEST_F(PrepareEnvironmentTest, PublishesTheRuntimeAndExtendsTheSearchPath) {
  PrepareEnvironment(launcher_);
  EXPECT_EQ(Variable(L"QX_JVM_PATH"), launcher_.jvmLibraryPath);
  EXPECT_EQ(Variable(L"QX_JVM_HOME"), runtime_);
  EXPECT_EQ(Variable(platform::kSearchPathVariable), Join({L"", L"usr", L"bin"}) + list_ + Join({runtime_, L"bin"}));
  EXPECT_TRUE(launcher_.jvmOptions.empty());  // no "Library Path", no option
}

TEST_F(PrepareEnvironmentTest, SystemPathComesFirstWithOneSeparator) {
  for (const WideString& setting : WideStringList{L"tools", L"tools" + list_}) {
    test::ScopedEnvironment path(platform::kSearchPathVariable, L"old");
    launcher_.systemPathSetting = setting;
    PrepareEnvironment(launcher_);
    EXPECT_EQ(Variable(platform::kSearchPathVariable), L"tools" + list_ + L"old" + list_ + Join({runtime_, L"bin"}));
  }
}

TEST_F(PrepareEnvironmentTest, LibraryPathBecomesTheFirstOption) {
  test::ScopedEnvironment native(L"LAUNCHER_TEST_NATIVE", L"expanded");
  for (const WideString& setting : WideStringList{L"%LAUNCHER_TEST_NATIVE%", L"%LAUNCHER_TEST_NATIVE%" + list_}) {
    test::ScopedEnvironment path(platform::kSearchPathVariable, L"old");
    launcher_.jvmOptions.clear();
    launcher_.libraryPathSetting = setting;
    PrepareEnvironment(launcher_);
    const WideString expected = L"expanded" + list_ + Join({L"", L"app", L""}) + list_ + L"." + list_ + L"old" + list_ +
                                Join({runtime_, L"lib"});
    ASSERT_EQ(launcher_.jvmOptions.size(), 1u);
    EXPECT_EQ(launcher_.jvmOptions[0], platform::ToAnsi(L"-Djava.library.path=" + expected));
    EXPECT_EQ(launcher_.libraryPathSetting, expected);
  }
}

TEST_F(PrepareEnvironmentTest, UndefinedReferencesStayAsWritten) {
  launcher_.systemPathSetting = L"%LAUNCHER_TEST_UNDEFINED%";
  PrepareEnvironment(launcher_);
  EXPECT_EQ(Variable(platform::kSearchPathVariable).substr(0, 26), L"%LAUNCHER_TEST_UNDEFINED%" + list_);
}

}  // namespace
