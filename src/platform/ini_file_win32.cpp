#include "platform/ini_file.h"

#include "platform/ini_encoding.h"
#include "platform/win32_long_path.h"
#include "platform/windows_api.h"

namespace platform {

// A new file holds UTF-16LE with its byte-order mark: GetPrivateProfileStringW
// reads a file without one in the ANSI code page, where a runtime path with
// other characters would turn into question marks.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf16Le, L"\r\n"};

namespace {

WideString ShortPathOf(const WideString& path) {
  DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  WideString shortPath(size, L'\0');
  size = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
  shortPath.resize(size);
  return shortPath;
}

// The profile functions open no path of MAX_PATH characters or more under Wine,
// not even with the long-path prefix, while the short form of the same path they
// do open. For a file yet to be made, the folder's short form is used.
WideString ProfilePath(const WideString& path) {
  if (path.size() < MAX_PATH) return path;
  WideString shortPath = ShortPathOf(path);
  if (shortPath.empty()) {
    const size_t separator = path.rfind(L'\\');
    if (separator != WideString::npos) {
      WideString folder = ShortPathOf(path.substr(0, separator));
      if (!folder.empty()) shortPath = folder + path.substr(separator);
    }
  }
  return !shortPath.empty() && shortPath.size() < MAX_PATH ? shortPath : win32::LongPathForm(path);
}

}  // namespace

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path) {
  return ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, size, ProfilePath(path).c_str());
}

}  // namespace platform
