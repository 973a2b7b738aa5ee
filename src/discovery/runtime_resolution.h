#pragma once

#include <optional>

#include "discovery/resolved_runtime.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

// Settles on the runtime to run: the "JRE Path" folder, a private runtime
// beside the launcher (whose folder ends in a separator), the registry, and,
// when a pair product is configured, the registry's 32-bit view. None when no
// source gives one; asking the user is the caller's.
std::optional<ResolvedRuntime> ResolveRuntime(const RuntimeRequirements& requirements,
                                              const WideString& executableFolder, Registry& registry,
                                              bool hasPairProduct);

// The runtime in a folder the user chose, with its JVM library found there.
ResolvedRuntime RuntimeChosenByUser(const WideString& jvmLibrary, bool hasPairProduct);
