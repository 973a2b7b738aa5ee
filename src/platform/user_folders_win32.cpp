#include "platform/user_folders.h"

#include "platform/environment.h"

namespace platform {

WideString UserConfigurationFolder() { return GetEnvironmentValue(L"APPDATA").value_or(L""); }

WideString UserCacheFolder() { return GetEnvironmentValue(L"LOCALAPPDATA").value_or(L""); }

WideString UserDataFolder() { return GetEnvironmentValue(L"LOCALAPPDATA").value_or(L""); }

}  // namespace platform
