#include "ui/win32/window_object.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/wide_string.h"
#include "resource_ids.h"

namespace launcher::ui {

// The binding of window, dialog and control objects to real windows (under
// Wine in the tests): messages reach the object from the creation message on,
// results go where the dialog manager expects them, a throwing handler counts
// as not handling, and a subclassed control gets its procedure back.

namespace {

using ui::win32::ControlSubclass;
using ui::win32::DialogObject;
using ui::win32::WindowObject;

constexpr UINT kAnswer = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
constexpr LRESULT kAnswerResult = 1234;

class RecordingWindow final : public WindowObject {
 public:
  std::vector<UINT> seen;
  bool throwOnSetText = false;

 protected:
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM, LPARAM) override {
    seen.push_back(message);
    if (message == kAnswer) return kAnswerResult;
    if (message == kThrow || (message == WM_SETTEXT && throwOnSetText)) throw std::runtime_error("handler failed");
    // Taking the final message must not keep the object bound.
    if (message == WM_NCDESTROY) return 0;
    return std::nullopt;
  }
};

const wchar_t kClassName[] = L"WindowObjectTest";

void RegisterTestClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowObject::Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);
}

HWND Create(WindowObject* object) {
  RegisterTestClass();
  return ::CreateWindowExW(0, kClassName, L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), object);
}

WideString TextOf(HWND window) {
  wchar_t text[64] = {};
  ::GetWindowTextW(window, text, 64);
  return text;
}

TEST(WindowObjectTest, IsBoundByTheCreationMessageAndUnboundByTheFinalOne) {
  RecordingWindow object;
  HWND window = Create(&object);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(object.Handle(), window);
  ASSERT_FALSE(object.seen.empty());
  EXPECT_EQ(object.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(::SendMessageW(window, kAnswer, 0, 0), kAnswerResult);
  // Unhandled: the default procedure sets the text.
  ::SetWindowTextW(window, L"plain");
  EXPECT_EQ(TextOf(window), L"plain");
  ::DestroyWindow(window);
  EXPECT_EQ(object.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(object.Handle(), nullptr);
}

TEST(WindowObjectTest, AThrowingHandlerLeavesTheMessageToTheDefault) {
  RecordingWindow object;
  HWND window = Create(&object);
  ASSERT_NE(window, nullptr);
  object.throwOnSetText = true;
  ::SetWindowTextW(window, L"still set");
  EXPECT_EQ(TextOf(window), L"still set");
  EXPECT_EQ(::SendMessageW(window, kThrow, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(window, kAnswer, 0, 0), kAnswerResult);
  ::DestroyWindow(window);
}

// A dialog of the launcher's templates that checks, from inside its own
// message loop, what the dialog manager made of its handler's results.
class CheckingDialog final : public DialogObject {
 public:
  INT_PTR initResult = FALSE;
  bool throwInInit = false;
  std::vector<UINT> seen;
  LRESULT answered = 0;
  LRESULT colourAnswer = 0;
  LONG_PTR resultAfterColour = 0;
  LRESULT thrownAnswer = -1;
  HWND focusAfterInit = nullptr;
  HWND firstTabStop = nullptr;

 protected:
  std::optional<INT_PTR> HandleMessage(UINT message, WPARAM, LPARAM) override {
    seen.push_back(message);
    switch (message) {
      case WM_INITDIALOG:
        ::PostMessageW(Handle(), WM_APP, 0, 0);
        if (throwInInit) throw std::runtime_error("init failed");
        return initResult;
      case WM_APP:
        Check();
        ::EndDialog(Handle(), 42);
        return 0;
      case kAnswer:
        return kAnswerResult;
      case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(::GetStockObject(GRAY_BRUSH));
      case kThrow:
        throw std::runtime_error("handler failed");
      default:
        return std::nullopt;
    }
  }

 private:
  void Check() {
    HWND dialog = Handle();
    focusAfterInit = ::GetFocus();
    firstTabStop = ::GetDlgItem(dialog, IDOK);
    answered = ::SendMessageW(dialog, kAnswer, 0, 0);
    ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 77);
    colourAnswer = ::SendMessageW(dialog, WM_CTLCOLORSTATIC, 0, 0);
    resultAfterColour = ::GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
    thrownAnswer = ::SendMessageW(dialog, kThrow, 0, 0);
  }
};

TEST(DialogObjectTest, ResultsGoThroughTheMessageResultOrDirectly) {
  CheckingDialog dialog;
  EXPECT_EQ(dialog.RunModal(IDD_JAVA_EXCEPTION, nullptr), 42);
  EXPECT_EQ(dialog.Handle(), nullptr);
  ASSERT_FALSE(dialog.seen.empty());
  EXPECT_EQ(dialog.seen.front(), static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(dialog.answered, kAnswerResult);
  EXPECT_EQ(dialog.colourAnswer, reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));
  EXPECT_EQ(dialog.resultAfterColour, 77);  // a direct result leaves DWLP_MSGRESULT alone
  EXPECT_EQ(dialog.thrownAnswer, 0);
  EXPECT_NE(dialog.focusAfterInit, dialog.firstTabStop);  // FALSE: no focus set by the system
}

TEST(DialogObjectTest, TrueFromInitialisationFocusesTheFirstTabStop) {
  CheckingDialog dialog;
  dialog.initResult = TRUE;
  EXPECT_EQ(dialog.RunModal(IDD_JAVA_EXCEPTION, nullptr), 42);
  EXPECT_EQ(dialog.focusAfterInit, dialog.firstTabStop);
}

TEST(DialogObjectTest, AThrowingInitialisationStillGivesAWorkingDialog) {
  CheckingDialog dialog;
  dialog.throwInInit = true;
  EXPECT_EQ(dialog.RunModal(IDD_JAVA_EXCEPTION, nullptr), 42);
  EXPECT_EQ(dialog.answered, kAnswerResult);
}

// ---- Subclassing an existing control.

WNDPROC g_original = nullptr;
WNDPROC g_procedureAtFinalMessage = nullptr;

// Another subclass, installed before ours: it sees which procedure the control
// has when the final message reaches it.
LRESULT CALLBACK OuterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    g_procedureAtFinalMessage = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
  }
  return ::CallWindowProcW(g_original, window, message, wParam, lParam);
}

class RecordingSubclass final : public ControlSubclass {
 public:
  bool throwOnLength = false;

 protected:
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM, LPARAM) override {
    if (message == kAnswer) return kAnswerResult;
    if (message == WM_GETTEXTLENGTH && throwOnLength) throw std::runtime_error("handler failed");
    return std::nullopt;
  }
};

class ControlSubclassTest : public testing::Test {
 protected:
  ControlSubclassTest() {
    parent_ = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    edit_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 100, 20, parent_, nullptr, nullptr, nullptr);
    g_original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProcedure)));
    g_procedureAtFinalMessage = nullptr;
  }
  ~ControlSubclassTest() override { ::DestroyWindow(parent_); }

  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(ControlSubclassTest, RoutesMessagesAndPassesTheRestOn) {
  RecordingSubclass object;
  ASSERT_TRUE(object.Attach(edit_));
  EXPECT_FALSE(object.Attach(edit_));
  EXPECT_EQ(::SendMessageW(edit_, kAnswer, 0, 0), kAnswerResult);
  ::SetWindowTextW(edit_, L"through");
  EXPECT_EQ(TextOf(edit_), L"through");
  object.throwOnLength = true;
  EXPECT_EQ(::GetWindowTextLengthW(edit_), 7);
}

TEST_F(ControlSubclassTest, TheFinalMessagePutsThePreviousProcedureBack) {
  RecordingSubclass object;
  ASSERT_TRUE(object.Attach(edit_));
  ::DestroyWindow(edit_);
  EXPECT_EQ(g_procedureAtFinalMessage, &OuterProcedure);
  EXPECT_EQ(object.Handle(), nullptr);
}

TEST_F(ControlSubclassTest, AnObjectThatGoesFirstPutsThePreviousProcedureBack) {
  {
    RecordingSubclass object;
    ASSERT_TRUE(object.Attach(edit_));
  }
  EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit_, GWLP_WNDPROC)), &OuterProcedure);
  EXPECT_EQ(::SendMessageW(edit_, kAnswer, 0, 0), 0);
}

}  // namespace

}  // namespace launcher::ui
