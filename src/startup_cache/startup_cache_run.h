#pragma once

#include "common/application_end.h"
#include "common/jvm_option_list.h"
#include "common/trace.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"
#include "startup_cache/startup_cache.h"
#include "startup_cache/startup_cache_build.h"

namespace launcher::startup_cache {

// What a start's cache run is made from: the settings, the runtime chosen (its
// release file tells the version without starting it) and the launch plan's
// own options, to which the cache's archive belongs.
struct StartupCacheRunInputs {
  const settings::StartupCacheSettings& settings;
  const settings::ProductSettings& product;  // names the per-user cache folder
  const WideString& executablePath;
  const WideString& runtimeHome;
  const WideString& jvmLibrary;
  const JvmOptionList& planOptions;
};

// The start-up cache's part in one start, owned by the run sequence: the
// options that follow the plan's own, and, once the application has ended, the
// build of an archive from the classes this run recorded. Its decision goes to
// the trace when it is made. A build never started takes its class list with
// it when the run goes.
class StartupCacheRun final : public TerminationObserver {
 public:
  StartupCacheRun(const StartupCacheRunInputs& inputs, Trace& trace);

  // For the end of the launch plan's options.
  const JvmOptionList& Options() const { return plan_.options; }

  // The application has ended: after main, once the JVM is destroyed, or
  // through System.exit (the process ends right after), the archive's build
  // starts, once. A run that failed or was aborted may have cut its class list
  // short: no build.
  void ApplicationEnded(ApplicationEnd end);

  void OnExit(int32_t) override { ApplicationEnded(ApplicationEnd::Exited); }
  void OnAbort() override { ApplicationEnded(ApplicationEnd::Aborted); }

 private:
  const StartupCachePlan plan_;
  CacheBuildStarter build_;
};

}  // namespace launcher::startup_cache
