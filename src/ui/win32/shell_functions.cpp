#include "ui/win32/shell_functions.h"

#include <optional>

#include "platform/library.h"

namespace launcher::ui::win32 {
namespace {

std::optional<ShellFunctions> Resolve() {
  // They stay loaded for the rest of the process: windows of comctl32's
  // classes and OLE may outlive any one dialog.
  void* shell32 = platform::LoadSystemLibrary(L"shell32.dll").value_or(nullptr);
  void* comctl32 = platform::LoadSystemLibrary(L"comctl32.dll").value_or(nullptr);
  void* ole32 = platform::LoadSystemLibrary(L"ole32.dll").value_or(nullptr);
  if (shell32 == nullptr || comctl32 == nullptr || ole32 == nullptr) return std::nullopt;
  ShellFunctions shell{};
  if (platform::BindExport(shell32, "SHBrowseForFolderW", shell.browseForFolder) &&
      platform::BindExport(shell32, "SHGetNameFromIDList", shell.nameFromIdList) &&
      platform::BindExport(shell32, "ShellExecuteW", shell.shellExecute) &&
      platform::BindExport(comctl32, "InitCommonControlsEx", shell.initCommonControls) &&
      platform::BindExport(ole32, "OleInitialize", shell.oleInitialize) &&
      platform::BindExport(ole32, "OleUninitialize", shell.oleUninitialize)) {
    return shell;
  }
  return std::nullopt;
}

}  // namespace

const ShellFunctions* LoadShellFunctions() {
  static const std::optional<ShellFunctions> functions = Resolve();
  return functions ? &*functions : nullptr;
}

}  // namespace launcher::ui::win32
