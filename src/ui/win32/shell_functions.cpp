#include "ui/win32/shell_functions.h"

#include <optional>

#include "ui/win32/system_library.h"

namespace ui::win32 {
namespace {

std::optional<ShellFunctions> Resolve() {
  // They stay loaded for the rest of the process: windows of comctl32's
  // classes and OLE may outlive any one dialog.
  HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
  HMODULE comctl32 = LoadSystemLibrary(L"comctl32.dll");
  HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
  if (shell32 == nullptr || comctl32 == nullptr || ole32 == nullptr) return std::nullopt;
  ShellFunctions shell{};
  if (ResolveFunction(shell32, "SHBrowseForFolderW", shell.browseForFolder) &&
      ResolveFunction(shell32, "SHGetNameFromIDList", shell.nameFromIdList) &&
      ResolveFunction(shell32, "ShellExecuteW", shell.shellExecute) &&
      ResolveFunction(comctl32, "InitCommonControlsEx", shell.initCommonControls) &&
      ResolveFunction(ole32, "OleInitialize", shell.oleInitialize) &&
      ResolveFunction(ole32, "OleUninitialize", shell.oleUninitialize)) {
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
