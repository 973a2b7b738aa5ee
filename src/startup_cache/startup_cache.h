#pragma once

#include <cstdint>
#include <optional>

#include "common/jvm_option_list.h"
#include "platform/wide_string.h"
#include "startup_cache/startup_cache_job.h"
#include "startup_cache/startup_cache_mechanism.h"

namespace launcher::startup_cache {

// A per-user cache of the classes an application loads, which the runtime maps
// at the next start instead of loading and linking them again.

// What a start is planned from.
struct StartupCacheInputs {
  bool enabled = false;  // "Start-up Cache"
  // JAVA_VERSION and JVM_VARIANT of the runtime's release file.
  std::optional<WideString> javaVersion;
  std::optional<WideString> jvmVariant;
  WideString runtimeHome;  // without a trailing separator
  WideString jvmLibrary;
  WideString executablePath;
  WideString folder;      // the product's cache folder, made already; "" when there is none
  JvmOptionList options;  // the launch plan's
};

// What one start does with the cache.
struct StartupCachePlan {
  CacheMechanismChoice choice;                    // the mechanism, and why
  CacheReason outcome = CacheReason::SettingOff;  // what this start does, and why
  JvmOptionList options;                          // for the end of the launch plan's options
  std::optional<CacheBuildJob> job;               // the build to start once the application has ended
  int32_t buildAttempt = 1;                       // which attempt at the archive's build the job is
};

// Either the options that use the archive of this runtime, class path and set
// of options, or, when there is none yet, the option that records the classes
// of this run and the job that builds the archive from them; or nothing.
// Nothing fails: whatever stands in the way leaves the start as it would be
// without the cache.
StartupCachePlan PlanStartupCache(const StartupCacheInputs& inputs);

}  // namespace launcher::startup_cache
