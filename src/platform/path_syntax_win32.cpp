#include "platform/path_syntax.h"

namespace platform {

const wchar_t kPathSeparator = L'\\';
const wchar_t kPathListSeparator = L';';
const wchar_t* const kSearchPathVariable = L"Path";
const bool kExtensionlessExecutableHasSettings = false;

// A drive path (C:...) or a network path (\\server...).
bool IsAbsolutePath(const WideString& path) {
  return path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

}  // namespace platform
