#include "settings/settings_paths.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "settings/launcher_settings.h"

namespace launcher::settings {

WideString ProductFolderName(const WideString& productName) {
  WideString folder;
  for (wchar_t c : productName) {
    if (WideString(L"\\?\"|><:/*").find(c) == WideString::npos) folder += c;
  }
  return folder;
}

WideString PerUserSettingsPath(const WideString& configurationFolder, const WideString& productName,
                               const WideString& productCode, const WideString& executablePath, bool createFolders) {
  const wchar_t separator = platform::kPathSeparator;
  // A new account may not have its configuration folder yet (~/.config).
  if (createFolders && !configurationFolder.empty()) platform::MakeFolder(configurationFolder);
  WideString path = configurationFolder + separator + ProductFolderName(productName);
  if (createFolders) platform::MakeFolder(path);
  path += separator + productCode;
  if (createFolders) platform::MakeFolder(path);
  WideString fileName = platform::FileNameOf(executablePath);
  return path + separator + fileName.substr(0, fileName.rfind(L'.')) + L".ini";
}

bool PerUserSettingsApply(const ProductSettings& product) { return platform::IsNtFamily() && !product.serviceMode; }

WideString PerUserSettingsPathOf(const ProductSettings& product, const WideString& executablePath, bool createFolders) {
  return PerUserSettingsPath(platform::UserConfigurationFolder(), product.name, product.code, executablePath,
                             createFolders);
}

WideString StartupCacheFolder(const WideString& cacheFolder, const WideString& productName,
                              const WideString& productCode, bool createFolders) {
  if (cacheFolder.empty()) return {};
  WideString path = cacheFolder;
  if (createFolders) platform::MakeFolder(path);
  for (const WideString& name : {ProductFolderName(productName), productCode, WideString(L"StartupCache")}) {
    if (name.empty()) continue;
    path = platform::WithTrailingSeparator(path) + name;
    if (createFolders) platform::MakeFolder(path);
  }
  return platform::WithTrailingSeparator(path);
}

WideString StartupCacheFolderOf(const ProductSettings& product, bool createFolders) {
  return StartupCacheFolder(platform::UserCacheFolder(), product.name, product.code, createFolders);
}

}  // namespace launcher::settings
