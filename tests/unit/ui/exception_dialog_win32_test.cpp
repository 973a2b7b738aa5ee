#include "ui/win32/exception_dialog.h"

#include <gtest/gtest.h>

#include <thread>

#include "resource_ids.h"

namespace launcher::ui {

// The "Java Exception" dialog run in this process (under Wine in the tests),
// operated from a second thread as a user would: the trace can be selected
// and copied whole, typing does not change it, and the buttons give the
// dialog's results.

namespace {

using ui::win32::ExceptionDialog;

const WideString kTrace =
    L"java.lang.IllegalStateException: Grüße, 日本語, 😀\r\n\tat com.example.Main.main(Main.java:3)\r\n";

// The dialog of this process with that caption, once it shows.
HWND WaitForDialog() {
  for (int attempt = 0; attempt < 200; ++attempt) {
    HWND dialog = ::FindWindowW(L"#32770", L"Java Exception");
    DWORD process = 0;
    if (dialog != nullptr && ::GetWindowThreadProcessId(dialog, &process) && process == ::GetCurrentProcessId() &&
        ::IsWindowVisible(dialog)) {
      return dialog;
    }
    ::Sleep(25);
  }
  return nullptr;
}

WideString TextOf(HWND window) {
  WideString text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

WideString Clipboard() {
  WideString text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

TEST(ExceptionDialogTest, TheTraceCanBeCopiedButNotTypedOver) {
  WideString typedOver;
  WideString copied;
  std::thread user([&] {
    HWND dialog = WaitForDialog();
    if (dialog == nullptr) return;
    HWND text = ::GetDlgItem(dialog, IDC_EXCEPTION_TEXT);
    ::SendMessageW(text, WM_CHAR, L'x', 0);
    typedOver = TextOf(text);
    ::SendMessageW(text, EM_SETSEL, 0, -1);
    ::SendMessageW(text, WM_COPY, 0, 0);
    copied = Clipboard();
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  ExceptionDialog dialog(kTrace);
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
  user.join();
  EXPECT_EQ(typedOver, kTrace);
  EXPECT_EQ(copied, kTrace);
}

TEST(ExceptionDialogTest, StopAndTheCloseBoxGiveCancel) {
  for (const auto& [message, wParam] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_SYSCOMMAND, SC_CLOSE}}) {
    std::thread user([message = message, wParam = wParam] {
      if (HWND dialog = WaitForDialog()) ::PostMessageW(dialog, message, wParam, 0);
    });
    ExceptionDialog dialog(kTrace);
    EXPECT_EQ(dialog.Run(nullptr), IDCANCEL);
    user.join();
  }
}

}  // namespace

}  // namespace launcher::ui
