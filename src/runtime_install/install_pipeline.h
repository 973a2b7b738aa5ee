#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/trace.h"
#include "platform/expected.h"
#include "platform/hashing.h"
#include "platform/wide_string.h"
#include "runtime_install/archive_entry.h"
#include "runtime_install/install_failure.h"
#include "runtime_install/runtime_store.h"
#include "settings/runtime_requirements.h"

namespace launcher::runtime_install {

// Installing the publisher's pinned runtime archive into the user's store:
// one start at a time (the others wait for it and use its result), the
// download verified as it arrives and resumed across starts, the archive
// unpacked safely and checked, and the runtime named only once complete.

struct InstallRequest {
  WideStringList sources;               // "Archive URL", "Archive URL 2", ... as written, tried in order
  WideString executableFolder;          // what relative paths start from
  platform::Sha256Digest sha256{};      // "Archive SHA-256"
  std::optional<uint64_t> archiveSize;  // "Archive Size"
  WideString storeFolder;
  settings::RuntimeRequirements requirements;  // the version bounds and "JVM Type" the runtime must meet
  ArchiveLimits limits = kRuntimeArchiveLimits;
};

enum class InstallPhase {
  WaitingForOtherStart,  // another start holds the store's lock
  Downloading,           // host, source, bytes of total, bytesPerSecond
  Checking,              // the archive's entries against the rules
  Unpacking,             // filesDone of filesTotal
};

struct InstallProgress {
  InstallPhase phase = InstallPhase::Downloading;
  std::string host;   // "" when copying a file
  WideString source;  // the address or path, as written
  uint64_t bytes = 0;
  std::optional<uint64_t> total;
  uint64_t bytesPerSecond = 0;
  uint64_t filesDone = 0;
  uint64_t filesTotal = 0;
};

struct InstallCallbacks {
  std::function<void(const InstallProgress&)> progress;
  std::function<bool()> cancelled;  // asked often; true ends the install at the next step
};

// Installs the archive, or finds it installed (by an earlier start, or by
// another start while this one waited). The first failing source's failure is
// given when no source succeeds; a cancel, a full disk or an unusable store
// end the attempt at once. Every step goes to the trace.
platform::Expected<StoredRuntime, InstallFailure> InstallRuntime(const InstallRequest& request,
                                                                 const InstallCallbacks& callbacks, Trace& trace);

// How long a download left by an earlier start stays to be resumed.
inline constexpr int64_t kWorkingFileLifetime = 24ll * 3600 * 1000000000;

}  // namespace launcher::runtime_install
