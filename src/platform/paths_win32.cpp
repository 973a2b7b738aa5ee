#include "platform/paths.h"

namespace launcher::platform {

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

}  // namespace launcher::platform
