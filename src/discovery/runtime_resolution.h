#pragma once

#include <optional>

#include "common/trace.h"
#include "discovery/resolved_runtime.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

// Settles on the runtime to run: the "JRE Path" folder, a private runtime
// beside the launcher (whose folder ends in a separator), the registry's vendor
// keys, and, when a pair product is configured, their 32-bit view. When these
// give none: the registrations of today's installers, then the folder that
// environmentHome names (JAVA_HOME, passed only where the system names
// runtimes that way). None when no source gives one; asking the user is the
// caller's. Every source, candidate and choice is written to the trace.
std::optional<ResolvedRuntime> ResolveRuntime(const RuntimeRequirements& requirements,
                                              const WideString& executableFolder, Registry& registry,
                                              bool hasPairProduct, const std::optional<WideString>& environmentHome,
                                              Trace& trace);

// The runtime in a folder the user chose, with its JVM library found there.
ResolvedRuntime RuntimeChosenByUser(const WideString& jvmLibrary, bool hasPairProduct);
