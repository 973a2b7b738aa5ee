#pragma once

#include "common/trace.h"
#include "discovery/jvm_candidate.h"
#include "platform/registry.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// The runtimes that today's installers register (Java 9 and later from the
// original vendor, and the free builds: Adoptium, AdoptOpenJDK, Microsoft,
// Semeru, Zulu, Liberica), in the 64-bit view, for the machine then for the
// current user, in search order. Only a registration whose folder holds a
// usable JVM library within the requirements is a candidate; the trace is told
// of each one met.
JvmCandidateList FindModernRegistryRuntimes(const settings::RuntimeRequirements& requirements,
                                            platform::Registry& registry, Trace& trace = NoTrace());

}  // namespace launcher::discovery
