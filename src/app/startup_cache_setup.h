#pragma once

#include "common/executable_location.h"
#include "discovery/resolved_runtime.h"
#include "jvm/jvm_option_list.h"
#include "settings/launcher_settings.h"
#include "startup_cache/startup_cache.h"

// The start-up cache's part in a start, from the settings, the chosen runtime
// (its release file tells the version, without starting it) and the launch
// plan's own options.
StartupCachePlan PrepareStartupCache(const StartupCacheSettings& settings, const ProductSettings& product,
                                     const ExecutableLocation& executable, const ResolvedRuntime& runtime,
                                     const JvmOptionList& planOptions);
