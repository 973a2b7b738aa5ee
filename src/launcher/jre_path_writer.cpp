#include "launcher/jre_path_writer.h"

#include <optional>

#include "launcher/launcher.h"
#include "launcher/module_location.h"
#include "launcher/settings_file.h"
#include "launcher/settings_paths.h"
#include "platform/ini_file.h"

namespace {

void Write(const WideString& path, const WideString& folder) {
  platform::WriteIniString(L"Java Runtime Environment", L"JRE Path", folder, path);
}

}  // namespace

void WriteJrePath(Launcher& launcher, const WideString& folder) {
  WideString modulePath;
  if (!GetModulePath(launcher, modulePath)) return;
  std::optional<WideString> settingsPath = SettingsPathFor(modulePath);
  if (!settingsPath) return;
  const bool hasPair = !launcher.pairProduct.empty();
  if (PerUserSettingsApply(launcher)) {
    Write(PerUserSettingsPathOf(launcher, modulePath, true), folder);
    if (hasPair) Write(PerUserSettingsPathOf(launcher, launcher.pairProduct, true), folder);
    return;
  }
  Write(*settingsPath, folder);
  if (!hasPair) return;
  if (std::optional<WideString> pairSettings = SettingsPathFor(launcher.pairProduct)) Write(*pairSettings, folder);
}
