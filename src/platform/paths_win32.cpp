#include "platform/paths.h"
#include "platform/windows_api.h"

namespace platform {

const wchar_t kPathSeparator = L'\\';
const wchar_t* const kPathSeparators = L"\\/";
const wchar_t kPathListSeparator = L';';
const wchar_t* const kSearchPathVariable = L"Path";
const bool kExtensionlessExecutableHasSettings = false;

bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A drive path (C:...) or a network path (\\server..., also written //server...).
bool IsAbsolutePath(const WideString& path) {
  return path.size() >= 2 && (path[1] == L':' || (IsPathSeparator(path[0]) && IsPathSeparator(path[1])));
}

namespace {

// GetFullPathNameW's answer; the path itself when there is none.
WideString FullPathOf(const WideString& path) {
  DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  WideString full(size, L'\0');
  size = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return path;
  full.resize(size);
  return full;
}

WideString ShortPathOf(const WideString& path) {
  DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  WideString shortPath(size, L'\0');
  size = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
  shortPath.resize(size);
  return shortPath;
}

}  // namespace

WideString FixedToCurrentDirectory(const WideString& path) { return path.empty() ? path : FullPathOf(path); }

namespace win32 {

WideString LongPathForm(const WideString& path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
  const WideString full = FullPathOf(path);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

WideString ShortPathForm(const WideString& path) {
  if (path.size() < MAX_PATH) return path;
  WideString shortPath = ShortPathOf(path);
  if (shortPath.empty()) {
    const size_t separator = path.rfind(L'\\');
    if (separator != WideString::npos) {
      WideString folder = ShortPathOf(path.substr(0, separator));
      if (!folder.empty()) shortPath = folder + path.substr(separator);
    }
  }
  return !shortPath.empty() && shortPath.size() < MAX_PATH ? shortPath : LongPathForm(path);
}

}  // namespace win32
}  // namespace platform
