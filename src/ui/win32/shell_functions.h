#pragma once

#include "platform/windows_api.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

namespace launcher::ui::win32 {

// The shell, common-control and OLE functions that the dialogs need, taken
// from the system's libraries on first use: a start that shows no dialog never
// loads shell32, comctl32 or ole32.
struct ShellFunctions {
  decltype(&::SHBrowseForFolderW) browseForFolder;
  decltype(&::SHGetNameFromIDList) nameFromIdList;
  decltype(&::ShellExecuteW) shellExecute;
  decltype(&::InitCommonControlsEx) initCommonControls;
  decltype(&::OleInitialize) oleInitialize;
  decltype(&::OleUninitialize) oleUninitialize;
};

// The functions, or null when a library or one of them is missing.
const ShellFunctions* LoadShellFunctions();

}  // namespace launcher::ui::win32
