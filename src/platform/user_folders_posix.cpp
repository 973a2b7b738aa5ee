#include "platform/user_folders.h"

#include "platform/environment.h"

namespace platform {

WideString UserConfigurationFolder() {
  WideString xdg = GetEnvironmentValue(L"XDG_CONFIG_HOME").value_or(L"");
  if (!xdg.empty() && xdg[0] == L'/') return xdg;  // relative values are ignored, as XDG says
  WideString home = GetEnvironmentValue(L"HOME").value_or(L"");
  return home.empty() ? WideString() : home + L"/.config";
}

}  // namespace platform
