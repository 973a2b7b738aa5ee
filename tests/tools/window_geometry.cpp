#include "window_geometry.h"

namespace ui_driver {

WindowGeometry ReadGeometry(HWND window) {
  WindowGeometry geometry;
  ::GetWindowRect(window, &geometry.screenRect);
  RECT client{};
  ::GetClientRect(window, &client);
  geometry.clientSize = {client.right - client.left, client.bottom - client.top};
  // Styles are 32-bit values that the system returns widened.
  geometry.style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  geometry.exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
  geometry.classStyle = static_cast<DWORD>(::GetClassLongPtrW(window, GCL_STYLE));
  geometry.owner = ::GetWindow(window, GW_OWNER);
  return geometry;
}

RECT RectInClientOf(HWND child, HWND parent) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace ui_driver
