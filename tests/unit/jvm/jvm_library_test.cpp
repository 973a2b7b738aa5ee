#include "jvm/jvm_library.h"

#include <gtest/gtest.h>

#include "common/message_text.h"
#include "jvm/jvm_hooks.h"
#include "jvm/jvm_session.h"
#include "test_support.h"

namespace launcher::jvm {

namespace {

TEST(JvmLibraryTest, ReasonsOfTheCreationResults) {
  EXPECT_EQ(LoadStringText(JniFailureReason(-1)), L"unknown");
  EXPECT_EQ(LoadStringText(JniFailureReason(-2)), L"thread detached from VM");
  EXPECT_EQ(LoadStringText(JniFailureReason(-3)), L"JNI version error");
  EXPECT_EQ(LoadStringText(JniFailureReason(-4)), L"not enough memory");
  EXPECT_EQ(LoadStringText(JniFailureReason(-5)), L"VM already created");
  EXPECT_EQ(LoadStringText(JniFailureReason(-6)), L"invalid arguments");
  EXPECT_EQ(LoadStringText(JniFailureReason(-7)), L"");
  EXPECT_EQ(LoadStringText(JniFailureReason(1)), L"");
}

TEST(JvmLibraryTest, ALibraryThatCannotBeLoadedIsReported) {
  test::TempDir dir;
  const WideString path = dir.Path(L"not-a-library.dll");
  test::WriteBytes(path, "this is no library");
  Result<JvmLibrary> library = JvmLibrary::Load(path);
  ASSERT_FALSE(library);
  const WideString message = MessageOf(library.error());
  EXPECT_EQ(message.rfind(L"Failed to load Java VM library: " + path + L" (errno = ", 0), 0u) << message;
  // The code in the message is the one taken at the failing call.
  EXPECT_NE(library.error().systemError, 0u);
  EXPECT_EQ(message, L"Failed to load Java VM library: " + path + L" (errno = " +
                         std::to_wstring(static_cast<int32_t>(library.error().systemError)) + L").\n");
}

class Observer final : public TerminationObserver {
 public:
  void OnExit(int32_t code) override { exits.push_back(code); }
  void OnAbort() override { ++aborts; }
  std::vector<int32_t> exits;
  int aborts = 0;
};

TEST(JvmLibraryTest, HooksTellTheObserverOfTheScope) {
  ExitHook(3);  // no observer: nothing happens
  AbortHook();
  Observer observer;
  {
    const TerminationObserverScope scope(observer);
    ExitHook(5);
    AbortHook();
  }
  ExitHook(6);
  EXPECT_EQ(observer.exits, std::vector<int32_t>{5});
  EXPECT_EQ(observer.aborts, 1);
}

}  // namespace

}  // namespace launcher::jvm
