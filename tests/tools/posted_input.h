#pragma once

#include <string>

#include "driver_options.h"
#include "platform/windows_api.h"

namespace ui_driver {

// Input made of posted messages: it reaches the window's thread as the
// system's own input would, but bypasses hit-testing, capture and focus.

// A left click on the window: pressed at one client point, released at
// another (the same for a plain click), with the moves a mouse would make.
void PostClick(HWND window, POINT press, POINT release);

// The key pressed and released on the window. No WM_CHAR: the target's
// message loop makes it from WM_KEYDOWN, as it does for a real keyboard.
void PostKey(HWND window, KeyName key);

// The key's name as the command line spells it.
std::wstring KeyNameText(KeyName key);

}  // namespace ui_driver
