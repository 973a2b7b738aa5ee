#include "ui/runtime_splash_library.h"

#include <gtest/gtest.h>

#include "platform/runtime_layout.h"
#include "test_support.h"

namespace launcher::ui {

namespace {

using test::Join;

TEST(RuntimeSplashLibraryTest, LooksTwoFoldersAboveTheJvmLibrary) {
  test::TempDir dir;
  const WideString bin = dir.Path(L"jre");
  const WideString library = Join({bin, platform::kSplashLibraryName});
  const WideString jvm = Join({bin, L"server", L"jvm"});
  EXPECT_EQ(FindRuntimeSplashLibrary(jvm, platform::kSplashLibraryName), L"");  // not there yet

  test::Touch(library);
  EXPECT_EQ(FindRuntimeSplashLibrary(jvm, platform::kSplashLibraryName), library);
  // Only that folder counts: not the JVM library's own, not the runtime's home.
  EXPECT_EQ(FindRuntimeSplashLibrary(Join({bin, L"jvm"}), platform::kSplashLibraryName), L"");
  EXPECT_EQ(FindRuntimeSplashLibrary(Join({bin, L"a", L"b", L"jvm"}), platform::kSplashLibraryName), L"");
}

TEST(RuntimeSplashLibraryTest, APathWithoutTwoFoldersFindsNothing) {
  EXPECT_EQ(FindRuntimeSplashLibrary(L"", platform::kSplashLibraryName), L"");
  EXPECT_EQ(FindRuntimeSplashLibrary(L"jvm", platform::kSplashLibraryName), L"");
}

}  // namespace

}  // namespace launcher::ui
