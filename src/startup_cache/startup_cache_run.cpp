#include "startup_cache/startup_cache_run.h"

#include "platform/runtime_layout.h"
#include "settings/settings_paths.h"

namespace launcher::startup_cache {

namespace {

StartupCachePlan PlanOfRun(const StartupCacheRunInputs& inputs) {
  StartupCacheInputs plan;
  plan.enabled = inputs.settings.enabled;
  if (!plan.enabled) return PlanStartupCache(plan);
  const std::string release = platform::ReadReleaseFile(inputs.runtimeHome);
  plan.javaVersion = platform::ReleaseFileValue(release, "JAVA_VERSION");
  plan.jvmVariant = platform::ReleaseFileValue(release, "JVM_VARIANT");
  plan.runtimeHome = inputs.runtimeHome;
  plan.jvmLibrary = inputs.jvmLibrary;
  plan.executablePath = inputs.executablePath;
  // The folders are made only for a runtime that can use them.
  if (ChooseCacheMechanism(plan.javaVersion, plan.jvmVariant).mechanism != CacheMechanism::None) {
    plan.folder = settings::StartupCacheFolderOf(inputs.product, true);
  }
  plan.options = inputs.planOptions;
  return PlanStartupCache(plan);
}

const char* MechanismName(CacheMechanism mechanism) {
  switch (mechanism) {
    case CacheMechanism::ClassDataArchive:
      return "class-data-archive";
    case CacheMechanism::AotCache:
      return "aot-cache";
    case CacheMechanism::None:
      break;
  }
  return "none";
}

// Which mechanism the cache has on this runtime and why, and what this start
// does with it.
void TracePlan(Trace& trace, const StartupCachePlan& plan) {
  TraceLine(trace, "startup-cache")
      .Word("mechanism", MechanismName(plan.choice.mechanism))
      .Bytes("why", DescribeCacheReason(plan.choice.reason))
      .Bytes("this-start", DescribeCacheReason(plan.outcome))
      .Number("build-attempt", plan.job ? plan.buildAttempt : 0)
      .Flag("build-after", plan.job.has_value())
      .Write();
}

}  // namespace

StartupCacheRun::StartupCacheRun(const StartupCacheRunInputs& inputs, Trace& trace)
    : plan_(PlanOfRun(inputs)), build_(plan_.job, inputs.executablePath) {
  TracePlan(trace, plan_);
}

void StartupCacheRun::ApplicationEnded(ApplicationEnd end) {
  if (end == ApplicationEnd::MainEnded || end == ApplicationEnd::Exited) build_.Start();
}

}  // namespace launcher::startup_cache
