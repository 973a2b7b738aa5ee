#include "platform/user_folders.h"

#include "platform/environment.h"

namespace platform {

namespace {

// An XDG base folder: the variable's value, else the folder below $HOME.
WideString XdgFolder(const wchar_t* variable, const wchar_t* belowHome) {
  WideString xdg = GetEnvironmentValue(variable).value_or(L"");
  if (!xdg.empty() && xdg[0] == L'/') return xdg;  // relative values are ignored, as XDG says
  WideString home = GetEnvironmentValue(L"HOME").value_or(L"");
  return home.empty() ? WideString() : home + belowHome;
}

}  // namespace

WideString UserConfigurationFolder() { return XdgFolder(L"XDG_CONFIG_HOME", L"/.config"); }

WideString UserCacheFolder() { return XdgFolder(L"XDG_CACHE_HOME", L"/.cache"); }

WideString UserDataFolder() { return XdgFolder(L"XDG_DATA_HOME", L"/.local/share"); }

}  // namespace platform
