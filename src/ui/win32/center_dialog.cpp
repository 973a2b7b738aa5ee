#include "ui/win32/center_dialog.h"

#include "ui/dialog_centring.h"

namespace launcher::ui::win32 {
namespace {

LayoutRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// An owner the user cannot see gives no place to centre on.
HWND VisibleOwner(HWND dialog) {
  HWND owner = ::GetWindow(dialog, GW_OWNER);
  if (owner == nullptr) return nullptr;
  const LONG_PTR style = ::GetWindowLongPtrW(owner, GWL_STYLE);
  return (style & WS_VISIBLE) != 0 && (style & WS_MINIMIZE) == 0 ? owner : nullptr;
}

}  // namespace

bool CenterDialog(HWND dialog) {
  HWND owner = VisibleOwner(dialog);
  HMONITOR monitor = ::MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) return false;
  RECT own{};
  ::GetWindowRect(dialog, &own);
  RECT centre = info.rcWork;
  if (owner != nullptr) ::GetWindowRect(owner, &centre);
  const LayoutPoint place =
      CentredPosition({own.right - own.left, own.bottom - own.top}, FromRect(centre), FromRect(info.rcWork));
  return ::SetWindowPos(dialog, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

}  // namespace launcher::ui::win32
