// ui_driver: reads and operates the dialogs of other processes for the
// end-to-end scenarios. See kUsage in driver_options.cpp for the commands.
#include "dialog_controls.h"
#include "dialog_windows.h"
#include "driver_options.h"
#include "listing.h"
#include "window_text.h"

namespace ui_driver {
namespace {

enum ExitCode : int { kDone = 0, kNotInTime = 1, kUsageError = 2, kActionFailed = 3 };

constexpr DWORD kAbsentPollIntervalMs = 25;

int Fail(ExitCode code, const std::wstring& reason) {
  WriteError(L"ui_driver: " + reason + L"\n");
  return code;
}

int NoDialog(const Options& options) {
  return Fail(kNotInTime, L"no matching dialog within " + std::to_wstring(options.timeoutMs) + L" ms");
}

int List(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  WriteOut(DescribeDialogs(dialogs));
  return kDone;
}

// The control a user could operate, or the reason there is none.
std::optional<Control> UsableControl(const DialogWindow& dialog, int id, std::wstring& reason) {
  std::optional<Control> control = FindControl(dialog.handle, id);
  if (!control)
    reason = L"the dialog has no control with id " + std::to_wstring(id);
  else if (!control->visible)
    reason = L"control " + std::to_wstring(id) + L" is hidden";
  else if (!control->enabled)
    reason = L"control " + std::to_wstring(id) + L" is disabled";
  else
    return control;
  WriteError(DescribeDialog(dialog, ReadControls(dialog.handle)));
  return std::nullopt;
}

void Press(const Options& options, HWND dialog, const Control& button) {
  // Posted, not sent: a handler that runs a modal loop must not block the driver.
  if (options.press == PressMethod::ButtonClick) {
    ::PostMessageW(button.handle, BM_CLICK, 0, 0);
  } else {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button.id, BN_CLICKED), reinterpret_cast<LPARAM>(button.handle));
  }
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
  if (options.keepOpen || WaitUntilGone(dialog.handle, options.timeoutMs)) return kDone;
  return Fail(kActionFailed,
              L"the dialog was still open " + std::to_wstring(options.timeoutMs) + L" ms after the press");
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

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

int Run(const Options& options) {
  switch (options.command) {
    case Command::List:
      return List(options);
    case Command::Click:
      return Click(options);
    case Command::SetText:
      return SetText(options);
    case Command::Absent:
      return Absent(options);
    case Command::Help:
      break;
  }
  WriteOut(kUsage);
  return kDone;
}

}  // namespace
}  // namespace ui_driver

int wmain(int argc, wchar_t** argv) {
  using namespace ui_driver;
  ParsedOptions parsed = ParseOptions(argc, argv);
  if (!parsed.options) {
    WriteError(L"ui_driver: " + parsed.error + L"\n" + kUsage);
    return kUsageError;
  }
  return Run(*parsed.options);
}
