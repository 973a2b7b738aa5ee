#include "jvm/class_path.h"

#include <optional>

#include "common/split_list.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"
#include "platform/path_syntax.h"

namespace {

bool NeedsResolution(const WideString& entry) {
  return entry.find(L'*') != WideString::npos || entry.size() < 2 || !platform::IsAbsolutePath(entry);
}

}  // namespace

void ResolveClassPathEntry(const WideString& entry, const WideString& executableFolder, WideString& classPath) {
  WideString pattern = entry;
  if (!platform::IsAbsolutePath(entry)) {
    // Entries written with a leading separator ("\lib\*.jar") join the folder
    // as they are; others get one, so "lib\*.jar" means the same.
    const bool leadingSeparator = !entry.empty() && entry[0] == platform::kPathSeparator;
    pattern = executableFolder + (leadingSeparator ? L"" : WideString(1, platform::kPathSeparator)) + entry;
  }
  const WideString prefix = platform::FolderOf(pattern);
  std::optional<WideStringList> names = platform::FindFiles(pattern);
  if (!names) return;
  for (const WideString& name : *names) classPath += prefix + name + platform::kPathListSeparator;
}

WideString BuildClassPath(const ClassPathSettings& settings, const WideString& executablePath) {
  const WideString folder = platform::ParentOf(executablePath);
  WideString classPath;
  for (const WideString& item : SplitList(settings.entries, L";")) {
    // An empty item would name the executable's folder itself: it is skipped.
    if (item.empty()) continue;
    WideString entry = platform::ExpandEnvironmentReferences(item);
    if (NeedsResolution(entry)) {
      ResolveClassPathEntry(entry, folder, classPath);
    } else {
      classPath += entry + platform::kPathListSeparator;
    }
  }
  if (settings.embeddedJar) classPath = executablePath + platform::kPathListSeparator + classPath;
  return classPath;
}
