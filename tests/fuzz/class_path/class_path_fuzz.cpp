// Class path entries and the path pieces they are cut into, with the path
// syntax of the system the target is built for (fuzz_class_path: the host's;
// fuzz_class_path_win32: Windows', where "/" separates too). The first line of
// the input is the executable's folder, the rest the "Class Path" value.
#include <cstdint>

#include "common/split_list.h"
#include "fuzz_check.h"
#include "jvm/class_path_entry.h"
#include "platform/paths.h"

using namespace launcher;

namespace {

bool HasSeparator(const WideString& text) {
  for (wchar_t c : text) {
    if (platform::IsPathSeparator(c)) return true;
  }
  return false;
}

void CheckPieces(const WideString& path) {
  const WideString folder = platform::FolderOf(path), name = platform::FileNameOf(path);
  fuzz::Check(folder + name == path, "folder and file name make the path", path);
  fuzz::Check(!HasSeparator(name), "a file name holds no separator", path);
  fuzz::Check(folder.empty() || platform::IsPathSeparator(folder.back()), "a folder ends with its separator", path);
  fuzz::Check(platform::ParentOf(path) == (folder.empty() ? path : folder.substr(0, folder.size() - 1)),
              "the parent is the folder without its separator", path);
  const WideString trailing = platform::WithTrailingSeparator(path);
  fuzz::Check(fuzz::StartsWith(trailing, path) && trailing.size() <= path.size() + 1, "a separator is only added",
              path);
  fuzz::Check(path.empty() || platform::IsPathSeparator(trailing.back()), "the text ends with a separator", path);
  fuzz::Check(platform::WithTrailingSeparator(trailing) == trailing, "adding a separator twice adds one", path);
}

void CheckEntry(const WideString& entry, const WideString& folder) {
  CheckPieces(entry);
  if (jvm::IsPassedUnchecked(entry)) {
    fuzz::Check(platform::IsAbsolutePath(entry) && entry.find(L'*') == WideString::npos,
                "only absolute entries without * pass unchecked", entry);
  }
  const WideString pattern = jvm::SearchPatternOf(entry, folder);
  CheckPieces(pattern);
  if (platform::IsAbsolutePath(entry)) {
    fuzz::Check(pattern == entry, "an absolute entry is its own pattern", entry);
  } else {
    const bool leading = !entry.empty() && platform::IsPathSeparator(entry[0]);
    fuzz::Check(fuzz::StartsWith(pattern, folder) && fuzz::EndsWith(pattern, entry) &&
                    pattern.size() == folder.size() + entry.size() + (leading ? 0 : 1) &&
                    platform::IsPathSeparator(pattern[folder.size()]),
                "a relative entry joins the folder at one separator", pattern);
  }

  // The names a search returns hold no separator; each comes back in the pattern's
  // folder (checked where the list separator appears in neither).
  const WideStringList names{platform::FileNameOf(entry), L"found.jar"};
  const wchar_t list = platform::kPathListSeparator;
  if ((platform::FolderOf(pattern) + names[0]).find(list) != WideString::npos) return;
  const WideStringList found = SplitList(jvm::ClassPathOfFound(pattern, names), WideString(1, list));
  fuzz::Check(found.size() == names.size(), "one class path entry a name", pattern);
  for (size_t i = 0; i < found.size(); ++i) {
    fuzz::Check(
        platform::FolderOf(found[i]) == platform::FolderOf(pattern) && platform::FileNameOf(found[i]) == names[i],
        "a found name lies in the pattern's folder", found[i]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideString text = fuzz::Text(data, size);
  const size_t lineEnd = text.find(L'\n');
  const WideString folder = text.substr(0, lineEnd);
  const WideString value = lineEnd == WideString::npos ? WideString() : text.substr(lineEnd + 1);

  const WideStringList entries = SplitList(value, L";");
  WideString joined;
  for (size_t i = 0; i < entries.size(); ++i) joined += (i > 0 ? L";" : L"") + entries[i];
  if (!value.empty() && value.back() == L';') joined += L";";
  fuzz::Check(joined == value, "the entries joined by ; give the value", value);

  CheckPieces(folder);
  for (const WideString& entry : entries) CheckEntry(entry, folder);
  return 0;
}
