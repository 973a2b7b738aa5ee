#include "jvm/class_path_entry.h"

#include "platform/paths.h"

namespace launcher::jvm {

bool IsPassedUnchecked(const WideString& entry) {
  return entry.find(L'*') == WideString::npos && entry.size() >= 2 && platform::IsAbsolutePath(entry);
}

WideString SearchPatternOf(const WideString& entry, const WideString& executableFolder) {
  if (platform::IsAbsolutePath(entry)) return entry;
  const bool leadingSeparator = !entry.empty() && platform::IsPathSeparator(entry[0]);
  return executableFolder + (leadingSeparator ? L"" : WideString(1, platform::kPathSeparator)) + entry;
}

WideString ClassPathOfFound(const WideString& pattern, const WideStringList& names) {
  // The folder is cut at the pattern's last separator, "/" included on Windows:
  // "lib/*.jar" finds lib's files and must name them in lib.
  const WideString folder = platform::FolderOf(pattern);
  WideString classPath;
  for (const WideString& name : names) classPath += folder + name + platform::kPathListSeparator;
  return classPath;
}

}  // namespace launcher::jvm
