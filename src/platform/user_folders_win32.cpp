#include "platform/user_folders.h"

#include "platform/environment.h"

namespace platform {

WideString UserConfigurationFolder() { return GetEnvironmentValue(L"APPDATA").value_or(L""); }

}  // namespace platform
