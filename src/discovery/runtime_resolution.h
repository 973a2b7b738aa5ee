#pragma once

#include <functional>
#include <optional>

#include "common/trace.h"
#include "discovery/resolved_runtime.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// Where a start may find runtimes besides the settings and the registry.
struct RuntimePlaces {
  WideString executableFolder;  // ends in a separator: a private runtime lies here
  bool hasCompanion = false;
  // The folder JAVA_HOME names, passed only where the system names runtimes that way.
  std::optional<WideString> environmentHome;
  // Lists the homes of the complete runtimes in the user's runtime store,
  // asked only when every other source has found nothing; empty when the
  // store is not a source of this start (no runtime is pinned).
  std::function<WideStringList()> storedRuntimes;
};

// Settles on the runtime to run: the "JRE Path" folder, a private runtime
// beside the launcher, the registry's vendor keys, and, when a companion
// is configured, their 32-bit view. When these give none: the registrations
// of today's installers, the environment's home, then the runtimes of the
// user's store within the bounds. None when no source gives one; asking the
// user is the caller's. Every source, candidate and choice is written to the
// trace.
std::optional<ResolvedRuntime> ResolveRuntime(const settings::RuntimeRequirements& requirements,
                                              const RuntimePlaces& places, platform::Registry& registry, Trace& trace);

// The runtime that was just installed into the user's store at home, judged
// as the store's runtimes are; none when it does not qualify.
std::optional<ResolvedRuntime> ResolveStoredRuntime(const WideString& home,
                                                    const settings::RuntimeRequirements& requirements, Trace& trace);

// The runtime in a folder the user chose, with its JVM library found there.
ResolvedRuntime RuntimeChosenByUser(const WideString& jvmLibrary, bool hasCompanion);

}  // namespace launcher::discovery
