#include "jvm/class_path.h"

#include <optional>

#include "common/split_list.h"
#include "jvm/class_path_entry.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace launcher::jvm {

void ResolveClassPathEntry(const WideString& entry, const WideString& executableFolder, WideString& classPath) {
  const WideString pattern = SearchPatternOf(entry, executableFolder);
  std::optional<WideStringList> names = platform::FindFiles(pattern);
  if (names) classPath += ClassPathOfFound(pattern, *names);
}

WideString BuildClassPath(const settings::ClassPathSettings& settings, const WideString& executablePath) {
  const WideString folder = platform::ParentOf(executablePath);
  WideString classPath;
  for (const WideString& item : SplitList(settings.entries, L";")) {
    // An empty item would name the executable's folder itself: it is skipped.
    if (item.empty()) continue;
    WideString entry = platform::ExpandEnvironmentReferences(item);
    if (IsPassedUnchecked(entry)) {
      classPath += entry + platform::kPathListSeparator;
    } else {
      ResolveClassPathEntry(entry, folder, classPath);
    }
  }
  if (settings.embeddedJar) classPath = executablePath + platform::kPathListSeparator + classPath;
  return classPath;
}

}  // namespace launcher::jvm
