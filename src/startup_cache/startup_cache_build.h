#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "platform/wide_string.h"
#include "startup_cache/startup_cache_job.h"

namespace launcher::startup_cache {

// The build of an archive of the start-up cache: a copy of the launcher,
// started in the background once the application has ended, that waits for
// the launcher to end, runs the runtime's java program, and puts the archive
// in place under its final name only when it is complete.

// The environment variable that makes the launcher build an archive instead of
// starting the application (arguments belong to the application); its value is
// the job file.
extern const wchar_t* const kCacheBuildVariable;

// Starts the build of a run's job once the application has ended, on
// whichever thread learns it first (the JVM's exit hook calls it on one of the
// JVM's). Once only; a job never started takes its class list with it.
class CacheBuildStarter {
 public:
  CacheBuildStarter(std::optional<CacheBuildJob> job, WideString executablePath);
  ~CacheBuildStarter();
  CacheBuildStarter(const CacheBuildStarter&) = delete;
  CacheBuildStarter& operator=(const CacheBuildStarter&) = delete;

  void Start();

 private:
  std::optional<CacheBuildJob> job_;
  WideString executablePath_;
  std::atomic<bool> started_{false};
};

// The launcher's work when kCacheBuildVariable is set: 0 when an archive was
// put in place.
int32_t RunCacheBuild(const WideString& jobFile);

}  // namespace launcher::startup_cache
