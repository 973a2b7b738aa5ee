#include "common/executable_location.h"

#include "platform/paths.h"

namespace launcher {

std::optional<WideString> SettingsPathFor(const WideString& executablePath) {
  // Only the file name's last "." counts: a dot in a folder name must not cut the path.
  const size_t nameStart = executablePath.size() - platform::FileNameOf(executablePath).size();
  const size_t dot = executablePath.rfind(L'.');
  if (dot != WideString::npos && dot >= nameStart) return executablePath.substr(0, dot + 1) + L"ini";
  if (platform::kExtensionlessExecutableHasSettings && nameStart < executablePath.size()) {
    return executablePath + L".ini";
  }
  return std::nullopt;
}

Result<ExecutableLocation> LocateExecutable(const platform::SystemResult<WideString>& modulePath) {
  if (!modulePath) {
    const uint32_t error = modulePath.error().code;
    return LaunchError{StringId::kWindowsException, {StringId::kModulePathFailed, static_cast<int32_t>(error)}, error};
  }
  return ExecutableLocation{*modulePath, platform::FolderOf(*modulePath), SettingsPathFor(*modulePath)};
}

}  // namespace launcher
