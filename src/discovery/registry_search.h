#pragma once

#include "common/trace.h"
#include "discovery/jvm_candidate.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// The runtimes registered under the vendor keys that the requirements search,
// within the version bounds and holding a JVM library, in search order; in the
// ordinary registry view or the 32-bit one. Each subkey met is written to the
// trace, accepted or refused with the reason.
JvmCandidateList FindRegistryRuntimes(const settings::RuntimeRequirements& requirements, platform::Registry& registry,
                                      bool view32, Trace& trace = NoTrace());

}  // namespace launcher::discovery
