#pragma once

#include <optional>
#include <string>

#include "platform/windows_api.h"

namespace ui_driver {

// The text of a window of any process, asked for with a time limit so that a
// hung or dying window cannot stop the driver; nothing when it does not answer.
std::optional<std::wstring> ReadWindowText(HWND window);

// Sets the text as WM_SETTEXT does; false when the window refused or did not answer.
bool WriteWindowText(HWND window, const std::wstring& text);

// The name of the window's class; the system keeps it, so any window answers.
std::wstring ClassNameOf(HWND window);

}  // namespace ui_driver
