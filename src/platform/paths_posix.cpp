#include <unistd.h>

#include <string>

#include "platform/paths.h"
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

}  // namespace platform
