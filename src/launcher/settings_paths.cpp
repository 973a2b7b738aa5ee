#include "launcher/settings_paths.h"

#include "platform/file_system.h"
#include "platform/path_syntax.h"

namespace {

WideString FileNameOf(const WideString& path) {
  size_t separator = path.rfind(platform::kPathSeparator);
  return separator == WideString::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::optional<WideString> SettingsPathFor(const WideString& executablePath) {
  // Only the file name's last "." counts: a dot in a folder name must not cut the path.
  size_t nameStart = executablePath.size() - FileNameOf(executablePath).size();
  size_t dot = executablePath.rfind(L'.');
  if (dot != WideString::npos && dot >= nameStart) return executablePath.substr(0, dot + 1) + L"ini";
  if (platform::kExtensionlessExecutableHasSettings && nameStart < executablePath.size()) {
    return executablePath + L".ini";
  }
  return std::nullopt;
}

WideString ProductFolderName(const WideString& productName) {
  WideString folder;
  for (wchar_t c : productName) {
    if (WideString(L"\\?\"|><:/*").find(c) == WideString::npos) folder += c;
  }
  return folder;
}

WideString PerUserSettingsPath(const WideString& configurationFolder, const WideString& productName,
                               const WideString& productCode, const WideString& executablePath,
                               bool createFolders) {
  const wchar_t separator = platform::kPathSeparator;
  // A new account may not have its configuration folder yet (~/.config).
  if (createFolders && !configurationFolder.empty()) platform::MakeDirectory(configurationFolder);
  WideString path = configurationFolder + separator + ProductFolderName(productName);
  if (createFolders) platform::MakeDirectory(path);
  path += separator + productCode;
  if (createFolders) platform::MakeDirectory(path);
  WideString fileName = FileNameOf(executablePath);
  size_t dot = fileName.rfind(L'.');
  return path + separator + fileName.substr(0, dot) + L".ini";
}
