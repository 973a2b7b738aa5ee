#include <algorithm>

#include "command_support.h"
#include "commands.h"
#include "folder_selection.h"
#include "listing.h"

namespace ui_driver {
namespace {

// The shell's folder picker is a dialog with a tree of folders; its caption
// depends on the language and on the caller, its tree does not.
bool IsFolderPicker(const DialogWindow& dialog) {
  std::vector<Control> controls = ReadControls(dialog.handle);
  return std::any_of(controls.begin(), controls.end(),
                     [](const Control& control) { return control.className == L"SysTreeView32"; });
}

std::vector<DialogWindow> FindFolderPickers(const DialogFilter& filter) {
  std::vector<DialogWindow> dialogs = FindDialogs(filter);
  std::erase_if(dialogs, [](const DialogWindow& dialog) { return !IsFolderPicker(dialog); });
  return dialogs;
}

}  // namespace

int Browse(const Options& options) {
  std::vector<DialogWindow> pickers = WaitFor([&] { return FindFolderPickers(options.filter); }, options.timeoutMs);
  if (pickers.empty()) {
    return Fail(kNotInTime, L"no matching folder picker within " + std::to_wstring(options.timeoutMs) + L" ms");
  }
  const DialogWindow& picker = pickers.front();
  std::wstring reason;
  std::optional<Control> button = UsableControl(picker, options.cancel ? IDCANCEL : IDOK, reason);
  if (!button) return Fail(kActionFailed, reason);
  WriteOut(DescribeDialog(picker, ReadControls(picker.handle)));
  if (options.path) {
    reason = SelectFolderInPicker(picker.handle, *options.path, options.timeoutMs);
    if (!reason.empty()) return Fail(kActionFailed, reason);
  }
  // Posted, as click does: the picker's owner may run more modal loops once it returns.
  ::PostMessageW(button->handle, BM_CLICK, 0, 0);
  if (WaitUntilGone(picker.handle, options.timeoutMs)) return kDone;
  return Fail(kActionFailed,
              L"the folder picker was still open " + std::to_wstring(options.timeoutMs) + L" ms after the press");
}

}  // namespace ui_driver
