#include "runtime_install/entry_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

namespace launcher::runtime_install {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// Windows opens a device for these names whatever follows the first dot and
// whatever trails them.
bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const std::string name = Upper(base);
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" || name == "CONOUT$") {
    return true;
  }
  if (name.size() < 4 || (name.compare(0, 3, "COM") != 0 && name.compare(0, 3, "LPT") != 0)) return false;
  const std::string_view number = std::string_view(name).substr(3);
  // The superscript digits count as well: "COM\u00b9" is a device too.
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" || number == "\xC2\xB2" ||
         number == "\xC2\xB3";
}

std::optional<EntryProblem> CheckComponent(std::string_view component) {
  if (component.empty() || component == ".") return std::nullopt;
  if (std::all_of(component.begin(), component.end(), [](char c) { return c == '.'; })) {
    return EntryProblem::ParentReference;
  }
  if (IsDeviceName(component)) return EntryProblem::DeviceName;
  // Windows drops trailing dots and spaces: "a." would land on "a".
  if (component.back() == '.' || component.back() == ' ') return EntryProblem::UnsafeCharacter;
  return std::nullopt;
}

bool StartsWithDrive(std::string_view name) {
  return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

// Where a path leads once the links of the archive on its way are followed:
// the components from the folder's root, or nullopt when it leaves the folder
// (or goes round in circles).
using LinkMap = std::map<std::vector<std::string>, std::string>;

std::optional<std::vector<std::string>> Resolve(std::vector<std::string> folder, std::string_view target,
                                                const LinkMap& links, int depth) {
  if (depth > 40 || target.empty() || IsSeparator(target.front()) || StartsWithDrive(target)) return std::nullopt;
  std::vector<std::string> path = std::move(folder);
  size_t start = 0;
  while (start <= target.size()) {
    size_t end = start;
    while (end < target.size() && !IsSeparator(target[end])) ++end;
    const std::string_view component = target.substr(start, end - start);
    start = end + 1;
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      if (path.empty()) return std::nullopt;
      path.pop_back();
      continue;
    }
    path.emplace_back(component);
    if (auto link = links.find(path); link != links.end()) {
      path.pop_back();
      std::optional<std::vector<std::string>> through = Resolve(path, link->second, links, depth + 1);
      if (!through) return std::nullopt;
      path = std::move(*through);
    }
  }
  return path;
}

}  // namespace

std::vector<std::string> NameComponents(std::string_view name) {
  std::vector<std::string> components;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const std::string_view component = name.substr(start, end - start);
    if (!component.empty() && component != ".") components.emplace_back(component);
    start = end + 1;
  }
  return components;
}

std::optional<EntryProblem> CheckEntryName(std::string_view name) {
  if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; })) {
    return EntryProblem::UnsafeCharacter;
  }
  if (!name.empty() && IsSeparator(name.front())) return EntryProblem::AbsolutePath;
  if (StartsWithDrive(name)) return EntryProblem::DriveLetter;
  if (name.find(':') != std::string_view::npos) return EntryProblem::StreamName;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (std::optional<EntryProblem> problem = CheckComponent(name.substr(start, end - start))) return problem;
    start = end + 1;
  }
  if (NameComponents(name).empty()) return EntryProblem::EmptyName;
  return std::nullopt;
}

std::optional<EntryRefusal> CheckEntries(std::span<const ArchiveEntry> entries, const ArchiveLimits& limits) {
  LinkMap links;
  uint64_t total = 0;
  for (size_t index = 0; index < entries.size(); ++index) {
    const ArchiveEntry& entry = entries[index];
    if (index >= limits.maxEntries) return EntryRefusal{entry.name, EntryProblem::TooManyEntries};
    if (std::optional<EntryProblem> problem = CheckEntryName(entry.name)) return EntryRefusal{entry.name, *problem};
    if (entry.kind == EntryKind::File) {
      if (entry.size > limits.maxUnpackedBytes - std::min(total, limits.maxUnpackedBytes)) {
        return EntryRefusal{entry.name, EntryProblem::TooLarge};
      }
      total += entry.size;
    }
    if (entry.kind == EntryKind::SymbolicLink) links[NameComponents(entry.name)] = entry.linkTarget;
  }
  // Each link is judged with all the others in place, whatever their order.
  for (const ArchiveEntry& entry : entries) {
    if (entry.kind != EntryKind::SymbolicLink) continue;
    std::vector<std::string> folder = NameComponents(entry.name);
    folder.pop_back();
    if (entry.linkTarget.find_first_of(std::string_view("\0:", 2)) != std::string::npos ||
        !Resolve(std::move(folder), entry.linkTarget, links, 0)) {
      return EntryRefusal{entry.name, EntryProblem::LinkOutside};
    }
  }
  return std::nullopt;
}

const char* Describe(EntryProblem problem) {
  switch (problem) {
    case EntryProblem::AbsolutePath:
      return "an absolute path";
    case EntryProblem::ParentReference:
      return "a \"..\" that leaves the folder";
    case EntryProblem::DriveLetter:
      return "a drive letter";
    case EntryProblem::StreamName:
      return "a \":\" (an alternate data stream)";
    case EntryProblem::DeviceName:
      return "a device name";
    case EntryProblem::UnsafeCharacter:
      return "a control character, or a name ending in a dot or a space";
    case EntryProblem::EmptyName:
      return "an empty name";
    case EntryProblem::LinkOutside:
      return "a link that leaves the folder";
    case EntryProblem::TooManyEntries:
      return "more entries than a runtime holds";
    case EntryProblem::TooLarge:
      return "more unpacked bytes than a runtime holds";
  }
  return "an unknown problem";
}

}  // namespace launcher::runtime_install
