#include "command_support.h"
#include "commands.h"
#include "listing.h"
#include "window_text.h"

namespace ui_driver {
namespace {

constexpr DWORD kAbsentPollIntervalMs = 25;

void Press(const Options& options, HWND dialog, const Control& button) {
  // Posted, not sent: a handler that runs a modal loop must not block the driver.
  if (options.press == PressMethod::ButtonClick) {
    ::PostMessageW(button.handle, BM_CLICK, 0, 0);
  } else {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button.id, BN_CLICKED), reinterpret_cast<LPARAM>(button.handle));
  }
}

// After a press: done when the dialog goes (or need not), failed when it stays.
int AwaitClosing(const Options& options, HWND dialog, const std::wstring& what) {
  if (options.keepOpen || WaitUntilGone(dialog, options.timeoutMs)) return kDone;
  return Fail(kActionFailed, L"the dialog was still open " + std::to_wstring(options.timeoutMs) + L" ms after " + what);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int List(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  WriteOut(DescribeDialogs(dialogs, options.geometry ? Detail::Geometry : Detail::Plain));
  return kDone;
}

int Click(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  const DialogWindow& dialog = dialogs.front();
  std::wstring reason;
  std::optional<Control> button = UsableControl(dialog, *options.controlId, reason);
  if (!button) return Fail(kActionFailed, reason);
  WriteOut(DescribeDialog(dialog, ReadControls(dialog.handle)));
  Press(options, dialog.handle, *button);
  return AwaitClosing(options, dialog.handle, L"the press");
}

int SetText(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  const DialogWindow& dialog = dialogs.front();
  std::wstring reason;
  std::optional<Control> control = UsableControl(dialog, *options.controlId, reason);
  if (!control) return Fail(kActionFailed, reason);
  if (!WriteWindowText(control->handle, *options.text)) return Fail(kActionFailed, L"the control refused the text");
  std::optional<Control> after = FindControl(dialog.handle, control->id);
  WriteOut(DescribeDialog(dialog, ReadControls(dialog.handle)));
  if (!after || after->text != options.text) return Fail(kActionFailed, L"the control holds another text");
  return kDone;
}

// Watches for the whole time, or until the caller signals with the file that
// there is nothing more to watch.
int Absent(const Options& options) {
  const ULONGLONG deadline = ::GetTickCount64() + options.timeoutMs;
  for (;;) {
    std::vector<DialogWindow> dialogs = FindDialogs(options.filter);
    if (!dialogs.empty()) {
      WriteOut(DescribeDialogs(dialogs));
      return Fail(kNotInTime, L"a matching dialog appeared");
    }
    if (options.untilFile && FileExists(*options.untilFile)) return kDone;
    if (::GetTickCount64() >= deadline) return kDone;
    ::Sleep(kAbsentPollIntervalMs);
  }
}

// What the close box does: the system command, which the dialog may refuse.
int Close(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  const DialogWindow& dialog = dialogs.front();
  WriteOut(DescribeDialog(dialog, ReadControls(dialog.handle)));
  ::PostMessageW(dialog.handle, WM_SYSCOMMAND, SC_CLOSE, 0);
  return AwaitClosing(options, dialog.handle, L"the close command");
}

}  // namespace ui_driver
