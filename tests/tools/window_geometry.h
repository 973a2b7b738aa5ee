#pragma once

#include "platform/windows_api.h"

namespace ui_driver {

// Where a window of any process is and how it is made, as the system keeps it.
struct WindowGeometry {
  RECT screenRect{};  // the whole window, frame included, in screen coordinates
  SIZE clientSize{};
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD classStyle = 0;
  HWND owner = nullptr;
};

WindowGeometry ReadGeometry(HWND window);

// The child's whole rectangle in the client coordinates of the window it sits in.
RECT RectInClientOf(HWND child, HWND parent);

}  // namespace ui_driver
