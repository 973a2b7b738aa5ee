#pragma once

#include "platform/windows_api.h"

namespace launcher::ui::win32 {

// Moves a dialog over the middle of its owner, or of the work area of the
// nearest monitor when it has no owner or one that is hidden or minimised, and
// keeps it inside that work area. False, with nothing moved, when the monitor
// cannot be told.
bool CenterDialog(HWND dialog);

}  // namespace launcher::ui::win32
