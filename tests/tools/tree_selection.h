#pragma once

#include <optional>
#include <string>

#include "platform/windows_api.h"

namespace ui_driver {

// The text of the selected item of a tree view in another (64-bit) process;
// nothing when none is selected or the tree did not answer.
std::optional<std::wstring> SelectedItemText(HWND tree);

}  // namespace ui_driver
