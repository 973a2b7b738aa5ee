#include "jvm/jvm_library.h"

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "test_support.h"

namespace {

TEST(JvmLibraryTest, ReasonsOfTheCreationResults) {
  EXPECT_EQ(JniFailureReason(-1), L"unknown");
  EXPECT_EQ(JniFailureReason(-2), L"thread detached from VM");
  EXPECT_EQ(JniFailureReason(-3), L"JNI version error");
  EXPECT_EQ(JniFailureReason(-4), L"not enough memory");
  EXPECT_EQ(JniFailureReason(-5), L"VM already created");
  EXPECT_EQ(JniFailureReason(-6), L"invalid arguments");
  EXPECT_EQ(JniFailureReason(-7), L"");
  EXPECT_EQ(JniFailureReason(1), L"");
}

TEST(JvmLibraryTest, ALibraryThatCannotBeLoadedIsReported) {
  test::TempDir dir;
  const WideString path = dir.Path(L"not-a-library.dll");
  test::WriteBytes(path, "this is no library");
  test::FakeHost fake(dir.Path(L"app.exe"));
  Launcher launcher(fake.host);
  EXPECT_FALSE(LoadJvmLibrary(launcher, path));
  ASSERT_EQ(fake.ui.errors.size(), 1u);
  EXPECT_EQ(fake.ui.errors[0].rfind(L"Failed to load Java VM library: " + path + L" (errno = ", 0), 0u)
      << fake.ui.errors[0];
  EXPECT_EQ(launcher.createJavaVm, nullptr);
}

class Observer final : public TerminationObserver {
 public:
  void OnExit(int32_t code) override { exits.push_back(code); }
  void OnAbort() override { ++aborts; }
  std::vector<int32_t> exits;
  int aborts = 0;
};

TEST(JvmLibraryTest, HooksTellTheObserverWhenThereIsOne) {
  ExitHook(3);  // no launcher at all: nothing happens
  test::FakeHost fake(L"app.exe");
  Launcher launcher(fake.host);
  ExitHook(4);
  AbortHook();
  Observer observer;
  launcher.terminationObserver = &observer;
  ExitHook(5);
  AbortHook();
  EXPECT_EQ(observer.exits, std::vector<int32_t>{5});
  EXPECT_EQ(observer.aborts, 1);
}

}  // namespace
