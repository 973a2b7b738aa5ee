#include "platform/path_parts.h"

#include "platform/path_syntax.h"

namespace platform {

size_t LastSeparator(const WideString& path) { return path.find_last_of(kPathSeparators); }

WideString FileNameOf(const WideString& path) {
  const size_t separator = LastSeparator(path);
  return separator == WideString::npos ? path : path.substr(separator + 1);
}

WideString ParentOf(const WideString& path) {
  const size_t separator = LastSeparator(path);
  return separator == WideString::npos ? path : path.substr(0, separator);
}

WideString FolderOf(const WideString& path) { return path.substr(0, LastSeparator(path) + 1); }

WideString WithTrailingSeparator(const WideString& folder) {
  if (folder.empty() || IsPathSeparator(folder.back())) return folder;
  return folder + kPathSeparator;
}

}  // namespace platform
