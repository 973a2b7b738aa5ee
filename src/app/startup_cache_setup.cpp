#include "app/startup_cache_setup.h"

#include "platform/runtime_layout.h"
#include "settings/settings_paths.h"

StartupCachePlan PrepareStartupCache(const StartupCacheSettings& settings, const ProductSettings& product,
                                     const ExecutableLocation& executable, const ResolvedRuntime& runtime,
                                     const JvmOptionList& planOptions) {
  StartupCacheInputs inputs;
  inputs.enabled = settings.enabled;
  if (!inputs.enabled) return PlanStartupCache(inputs);
  const std::string release = platform::ReadReleaseFile(runtime.home);
  inputs.javaVersion = platform::ReleaseFileValue(release, "JAVA_VERSION");
  inputs.jvmVariant = platform::ReleaseFileValue(release, "JVM_VARIANT");
  inputs.runtimeHome = runtime.home;
  inputs.jvmLibrary = runtime.jvmLibrary;
  inputs.executablePath = executable.path;
  // The folders are made only for a runtime that can use them.
  if (ChooseCacheMechanism(inputs.javaVersion, inputs.jvmVariant).mechanism != CacheMechanism::None) {
    inputs.folder = StartupCacheFolderOf(product, true);
  }
  inputs.options = planOptions;
  return PlanStartupCache(inputs);
}
