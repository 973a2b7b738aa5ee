#include "ui/win32/shell_functions.h"

#include <optional>

namespace ui::win32 {
namespace {

// From the system folder only. Windows 7 without its loader update knows no
// such flag; these are known DLLs there, which come from the system folder
// whatever the search order.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE library = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) library = ::LoadLibraryW(name);
  return library;
}

template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  return function != nullptr;
}

std::optional<ShellFunctions> Resolve() {
  // They stay loaded for the rest of the process: windows of comctl32's
  // classes and OLE may outlive any one dialog.
  HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
  HMODULE comctl32 = LoadSystemLibrary(L"comctl32.dll");
  HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
  if (shell32 == nullptr || comctl32 == nullptr || ole32 == nullptr) return std::nullopt;
  ShellFunctions shell{};
  if (Resolve(shell32, "SHBrowseForFolderW", shell.browseForFolder) &&
      Resolve(shell32, "SHGetNameFromIDList", shell.nameFromIdList) &&
      Resolve(shell32, "ShellExecuteW", shell.shellExecute) &&
      Resolve(comctl32, "InitCommonControlsEx", shell.initCommonControls) &&
      Resolve(ole32, "OleInitialize", shell.oleInitialize) &&
      Resolve(ole32, "OleUninitialize", shell.oleUninitialize)) {
    return shell;
  }
  return std::nullopt;
}

}  // namespace

const ShellFunctions* LoadShellFunctions() {
  static const std::optional<ShellFunctions> functions = Resolve();
  return functions ? &*functions : nullptr;
}

}  // namespace ui::win32
