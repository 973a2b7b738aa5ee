#include "platform/paths.h"

namespace launcher::platform {

namespace {

size_t LastSeparator(const WideString& path) { return path.find_last_of(kPathSeparators); }

}  // namespace

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

namespace {

const WideString kLongPathPrefix = L"\\\\?\\";

bool HasLongPathPrefix(const WideString& path) { return path.compare(0, kLongPathPrefix.size(), kLongPathPrefix) == 0; }

size_t NextSeparator(const WideString& path, size_t from) { return path.find_first_of(kPathSeparators, from); }

}  // namespace

bool IsNetworkPath(const WideString& path) {
  return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) && !HasLongPathPrefix(path);
}

WideStringList PathComponents(const WideString& path) {
  const bool prefixed = HasLongPathPrefix(path);
  const WideString rest = prefixed ? path.substr(kLongPathPrefix.size()) : path;
  size_t firstEnd = NextSeparator(rest, IsNetworkPath(rest) ? 2 : 0);
  WideStringList components{(prefixed ? kLongPathPrefix : L"") + rest.substr(0, firstEnd)};
  while (firstEnd != WideString::npos) {
    const size_t next = NextSeparator(rest, firstEnd + 1);
    components.push_back(rest.substr(firstEnd + 1, next == WideString::npos ? WideString::npos : next - firstEnd - 1));
    firstEnd = next;
  }
  return components;
}

}  // namespace launcher::platform
