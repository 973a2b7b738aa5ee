#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/trace.h"
#include "platform/expected.h"
#include "platform/hashing.h"
#include "platform/wide_string.h"
#include "runtime_install/install_failure.h"

namespace launcher::runtime_install {

// Where a pinned archive may come from, as the settings write it: an https:
// or http: address, a file: address, a network path, or a path (relative ones
// from the executable's folder, for an archive shipped beside it).
enum class SourceKind { Http, LocalFile };

struct ArchiveSource {
  SourceKind kind = SourceKind::Http;
  std::string url;  // Http: the address, UTF-8
  WideString path;  // LocalFile: the file
};

// The source a setting's text names; nullopt for an address of another kind
// (ftp:, a file: address of another host where the system has no network paths).
std::optional<ArchiveSource> ClassifySource(const WideString& written, const WideString& executableFolder);

// What the fetched archive must be and where it goes.
struct FetchTarget {
  WideString partFile;              // the download, kept across starts until verified
  platform::Sha256Digest sha256{};  // what its bytes must hash to
  uint64_t sizeLimit = 0;           // "Archive Size", or the store's bound without it
  bool sizeDeclared = false;        // the limit is the publisher's "Archive Size"
};

struct FetchProgress {
  std::string host;   // "" for a file
  WideString source;  // the address or path, as written
  uint64_t bytes = 0;
  std::optional<uint64_t> total;
  uint64_t bytesPerSecond = 0;
};

struct FetchObserver {
  std::function<void(const FetchProgress&)> progress;  // a few times a second at most
  std::function<bool()> cancelled;
};

// Fills the part file with the archive from one source, hashing it as it
// arrives, and checks the hash. An address resumes a part file that earlier
// starts left (its bytes hashed again first) with a range request; a file is
// copied anew. A transfer that breaks off, is cancelled or fills the disk
// keeps its part file; wrong bytes (hash, size) are removed.
platform::Expected<platform::Done, InstallFailure> FetchArchive(const WideString& written, const ArchiveSource& source,
                                                                const FetchTarget& target,
                                                                const FetchObserver& observer, Trace& trace);

}  // namespace launcher::runtime_install
