#include "platform/ini_file.h"

#include "platform/path_syntax.h"
#include "platform/win32_handles.h"
#include "platform/win32_long_path.h"

namespace platform {
namespace {

// WritePrivateProfileStringW writes a file that it creates in the ANSI code page,
// where a runtime path with other characters would turn into question marks; a
// file that starts with a UTF-16LE byte-order mark it writes in UTF-16LE. Makes
// such a file when there is none and says whether it did.
bool CreateUnicodeFile(const WideString& path) {
  // A path that is not full is looked for in the Windows folder, not where
  // CreateFileW would make it.
  if (!IsAbsolutePath(path)) return false;
  win32::File file(::CreateFileW(win32::LongPathForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  static const BYTE kByteOrderMark[] = {0xFF, 0xFE};
  DWORD written = 0;
  if (::WriteFile(file.Get(), kByteOrderMark, sizeof kByteOrderMark, &written, nullptr) &&
      written == sizeof kByteOrderMark) {
    return true;
  }
  file.Reset();
  ::DeleteFileW(win32::LongPathForm(path).c_str());
  return false;
}

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

bool WriteIniString(const WideString& section, const WideString& key, const WideString& value, const WideString& path) {
  const bool created = CreateUnicodeFile(path);
  if (::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), ProfilePath(path).c_str()) != 0) {
    return true;
  }
  // A file made here but left holding nothing but the mark is no settings file.
  if (created) ::DeleteFileW(win32::LongPathForm(path).c_str());
  return false;
}

}  // namespace platform
