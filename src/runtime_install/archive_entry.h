#pragma once

#include <cstdint>
#include <string>

namespace launcher::runtime_install {

// One entry of a runtime archive as its directory tells it.
enum class EntryKind { File, Folder, SymbolicLink };

struct ArchiveEntry {
  std::string name;  // as stored (UTF-8 in the archives vendors ship), "/" or "\" between folders
  EntryKind kind = EntryKind::File;
  uint64_t size = 0;        // a file's unpacked size
  bool executable = false;  // a file with an execute bit of its Unix mode
  std::string linkTarget;   // a link's target, as stored
};

// What an archive may hold at most: beyond either bound it is refused as a
// bomb before anything is written.
struct ArchiveLimits {
  uint64_t maxUnpackedBytes = 0;
  uint64_t maxEntries = 0;
};

// Generous for any Java runtime (a full JDK unpacks to about 350 MB in some
// 1000 entries), far below what fills a disk by surprise.
inline constexpr ArchiveLimits kRuntimeArchiveLimits{.maxUnpackedBytes = 2ull << 30, .maxEntries = 100000};

}  // namespace launcher::runtime_install
