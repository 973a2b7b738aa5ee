#include "command_support.h"
#include "commands.h"
#include "listing.h"
#include "posted_input.h"
#include "window_text.h"

namespace ui_driver {
namespace {

std::wstring PointText(POINT point) { return std::to_wstring(point.x) + L"," + std::to_wstring(point.y); }

std::wstring WindowFields(HWND window) {
  return L"hwnd=" + HandleText(window) + L" class=" + Quote(ClassNameOf(window)) + L" id=" +
         std::to_wstring(::GetDlgCtrlID(window));
}

// Where the keyboard's input goes in the dialog's thread: its focus, or the
// dialog itself when nothing there has the focus.
HWND KeyboardTarget(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus) {
    return info.hwndFocus;
  }
  return dialog;
}

}  // namespace

int ClickAt(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  std::wstring reason;
  std::optional<Control> control = UsableControl(dialogs.front(), *options.controlId, reason);
  if (!control) return Fail(kActionFailed, reason);
  const POINT press{*options.pressX, *options.pressY};
  const POINT release{options.releaseX.value_or(press.x), options.releaseY.value_or(press.y)};
  PostClick(control->handle, press, release);
  WriteOut(L"click-at " + WindowFields(control->handle) + L" press=" + PointText(press) + L" release=" +
           PointText(release) + L"\n");
  return kDone;
}

int Key(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  HWND target = KeyboardTarget(dialogs.front().handle);
  if (options.controlId) {
    std::wstring reason;
    std::optional<Control> control = UsableControl(dialogs.front(), *options.controlId, reason);
    if (!control) return Fail(kActionFailed, reason);
    target = control->handle;
  }
  PostKey(target, *options.key);
  WriteOut(L"key vk=" + KeyNameText(*options.key) + L" " + WindowFields(target) + L"\n");
  return kDone;
}

}  // namespace ui_driver
