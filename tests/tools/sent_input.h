#pragma once

#include "platform/windows_api.h"

namespace ui_driver {

// Input sent as the mouse itself would make it (SendInput): it goes to the
// window under the pointer, through hit-testing, capture and the system's
// own loops for moving and sizing windows.

// Moves the pointer to a point of the screen.
void MovePointer(POINT screen);

// Presses the left button at one point of the screen, moves to another in
// steps and releases it there.
void Drag(POINT from, POINT to);

}  // namespace ui_driver
