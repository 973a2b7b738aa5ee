#pragma once

#include "platform/wide_string.h"

namespace platform {

// The folder under which per-user settings live: the value of "APPDATA" on
// Windows, the XDG configuration folder ($XDG_CONFIG_HOME, else $HOME/.config)
// on POSIX. Empty when the environment does not name one.
WideString UserConfigurationFolder();

// The folder under which per-user caches live: the value of "LOCALAPPDATA" on
// Windows, the XDG cache folder ($XDG_CACHE_HOME, else $HOME/.cache) on POSIX.
// Empty when the environment does not name one.
WideString UserCacheFolder();

// The folder under which per-user data that is not roamed lives (installed
// runtimes): the value of "LOCALAPPDATA" on Windows, the XDG data folder
// ($XDG_DATA_HOME, else $HOME/.local/share) on POSIX. Empty when the
// environment does not name one.
WideString UserDataFolder();

}  // namespace platform
