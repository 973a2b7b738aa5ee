#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/expected.h"
#include "platform/wide_string.h"
#include "runtime_install/archive_entry.h"
#include "runtime_install/archive_reader.h"

namespace launcher::runtime_install {

// Why an archive was not unpacked whole.
struct UnpackFailure {
  enum class Kind {
    BadArchive,  // an entry breaks a rule or cannot be read: entry and reason say which and why
    DiskFull,    // needed and available say how far off it is
    Cancelled,
    WriteFailed,  // the system refused to write an entry (systemError)
  };
  Kind kind = Kind::BadArchive;
  std::string entry;
  std::string reason;
  uint64_t needed = 0;
  uint64_t available = 0;
  uint32_t systemError = 0;
};

struct UnpackedArchive {
  uint64_t entries = 0;
  uint64_t bytes = 0;
};

struct UnpackObserver {
  std::function<void(uint64_t done, uint64_t total)> progress;  // entries unpacked of all
  std::function<bool()> cancelled;
};

// Unpacks the archive into an empty folder of ours. Every entry is checked
// against the rules (and the limits) before the first is written; links are
// made after every file and folder, so that nothing is ever written through
// one. On failure the folder holds what was written so far: its owner removes it.
platform::Expected<UnpackedArchive, UnpackFailure> Unpack(ArchiveReader& reader, const WideString& folder,
                                                          const ArchiveLimits& limits, const UnpackObserver& observer);

}  // namespace launcher::runtime_install
