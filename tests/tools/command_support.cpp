#include "command_support.h"

#include "listing.h"

namespace ui_driver {

int Fail(ExitCode code, const std::wstring& reason) {
  WriteError(L"ui_driver: " + reason + L"\n");
  return code;
}

int NoDialog(const Options& options) {
  return Fail(kNotInTime, L"no matching dialog within " + std::to_wstring(options.timeoutMs) + L" ms");
}

int NoWindowOfClass(const Options& options) {
  return Fail(kNotInTime, L"no matching window of class " + Quote(*options.className) + L" within " +
                              std::to_wstring(options.timeoutMs) + L" ms");
}

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

}  // namespace ui_driver
