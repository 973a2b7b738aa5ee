#pragma once

#include <string>

#include "platform/windows_api.h"

namespace ui_driver {

// Makes the folder the selection of a shell folder picker in another process,
// as the picker's owner would with BFFM_SETSELECTION, and checks that the
// picker's tree shows it selected, trying again until the time is up. Returns
// why it failed, empty when it worked.
std::wstring SelectFolderInPicker(HWND picker, const std::wstring& path, DWORD timeoutMs);

}  // namespace ui_driver
