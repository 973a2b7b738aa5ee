#include "launcher/module_location.h"

#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "platform/path_syntax.h"

bool GetModulePath(Launcher& launcher, WideString& path) {
  platform::ModulePathResult result = launcher.host.modulePath();
  if (!result.ok) {
    ShowErrorWithCode(launcher.host.ui, launcher.splashWindow, StringId::kWindowsException,
                      LoadStringText(StringId::kModulePathFailed), static_cast<int32_t>(result.error));
    return false;
  }
  path = result.path;
  return true;
}

bool GetModuleFolder(Launcher& launcher, WideString& folder) {
  WideString path;
  if (!GetModulePath(launcher, path)) return false;
  folder = path.substr(0, path.rfind(platform::kPathSeparator) + 1);
  return true;
}
