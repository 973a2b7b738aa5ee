#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime_install/archive_entry.h"

namespace launcher::runtime_install {

// The rules an archive's entries must follow before anything is unpacked: each
// lands inside the target folder, under a name every supported system writes
// as it reads, and the whole stays within its limits.

enum class EntryProblem {
  AbsolutePath,     // "/etc/x", "\x", "//server/share/x"
  ParentReference,  // a ".." component (or one of dots only)
  DriveLetter,      // "C:x", "C:\x"
  StreamName,       // any other ":" (an NTFS alternate stream)
  DeviceName,       // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without extension, in any case
  UnsafeCharacter,  // a control character, or a component that ends in a dot or a space
  EmptyName,        // nothing but separators
  LinkOutside,      // a link whose target leaves the folder (absolute, or through ".." or other links)
  TooManyEntries,   // beyond ArchiveLimits.maxEntries
  TooLarge,         // the unpacked total beyond ArchiveLimits.maxUnpackedBytes
};

struct EntryRefusal {
  std::string entry;  // the first offending entry's name, as stored
  EntryProblem problem = EntryProblem::EmptyName;
};

// Why a name may not be unpacked; nullopt when it may.
std::optional<EntryProblem> CheckEntryName(std::string_view name);

// The first entry, in the archive's order, that breaks a rule; nullopt when
// every entry keeps them. Links are resolved through each other.
std::optional<EntryRefusal> CheckEntries(std::span<const ArchiveEntry> entries, const ArchiveLimits& limits);

// The components of an accepted name, "." and empty ones left out.
std::vector<std::string> NameComponents(std::string_view name);

// Plain words for a problem: "leaves the folder through \"..\"".
const char* Describe(EntryProblem problem);

}  // namespace launcher::runtime_install
