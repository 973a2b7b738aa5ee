#include "settings/jre_path_writer.h"

#include "platform/ini.h"
#include "settings/settings_keys.h"
#include "settings/settings_paths.h"

namespace launcher::settings {

namespace {

// A file that cannot take the path is left as it was: this start goes on with
// the runtime it has.
void Write(const WideString& path, const WideString& folder) {
  platform::WriteIniValue(path, keys::kRuntimeSection, keys::kJrePath, folder);
}

}  // namespace

void WriteJrePath(const ProductSettings& product, const ExecutableLocation& executable, const WideString& folder) {
  if (!executable.settingsFile) return;
  const bool hasPair = !product.pairProduct.empty();
  if (PerUserSettingsApply(product)) {
    Write(PerUserSettingsPathOf(product, executable.path, true), folder);
    if (hasPair) Write(PerUserSettingsPathOf(product, product.pairProduct, true), folder);
    return;
  }
  Write(*executable.settingsFile, folder);
  if (!hasPair) return;
  if (std::optional<WideString> pairSettings = SettingsPathFor(product.pairProduct)) Write(*pairSettings, folder);
}

}  // namespace launcher::settings
