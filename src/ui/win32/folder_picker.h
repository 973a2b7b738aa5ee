#pragma once

#include <optional>

#include "platform/wide_string.h"
#include "ui/win32/shell_functions.h"

namespace launcher::ui::win32 {

// The shell's folder picker (file-system folders only, new style, no "New
// Folder" button), owned by owner, starting at the desktop: the path of the
// folder chosen, of any length; nullopt when the user cancels. A choice that
// has no file-system path gives "".
std::optional<WideString> PickFolder(const ShellFunctions& shell, HWND owner, const WideString& title);

}  // namespace launcher::ui::win32
