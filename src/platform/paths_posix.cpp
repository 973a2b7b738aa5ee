#include <unistd.h>

#include <string>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"

namespace platform {

const wchar_t kPathSeparator = L'/';
const wchar_t* const kPathSeparators = L"/";
const wchar_t kPathListSeparator = L':';
const wchar_t* const kSearchPathVariable = L"PATH";
const bool kExtensionlessExecutableHasSettings = true;

bool IsPathSeparator(wchar_t c) { return c == L'/'; }

bool IsAbsolutePath(const WideString& path) { return !path.empty() && path[0] == L'/'; }

WideString FixedToCurrentDirectory(const WideString& path) {
  if (path.empty() || path[0] == L'/') return path;
  std::string current(4096, '\0');
  if (::getcwd(current.data(), current.size()) == nullptr) return path;
  current.resize(current.find('\0'));
  return FromUtf8(current) + (current == "/" ? L"" : L"/") + path;
}

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

}  // namespace platform
