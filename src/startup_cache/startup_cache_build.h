#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "jvm/jvm_hooks.h"
#include "platform/wide_string.h"
#include "startup_cache/startup_cache_job.h"

// The build of an archive of the start-up cache: a copy of the launcher,
// started in the background once the application has ended, that waits for
// the launcher to end, runs the runtime's java program, and puts the archive
// in place under its final name only when it is complete.

// The environment variable that makes the launcher build an archive instead of
// starting the application (arguments belong to the application); its value is
// the job file.
extern const wchar_t* const kCacheBuildVariable;

// Starts the build of a run's job once the application has ended: when the
// run sequence calls Start after the JVM is destroyed, or from the JVM's exit
// hook when the application calls System.exit (the process ends right after).
// Once only; a job never started takes its class list with it.
class CacheBuildStarter final : public TerminationObserver {
 public:
  CacheBuildStarter(std::optional<CacheBuildJob> job, WideString executablePath);
  ~CacheBuildStarter() override;
  CacheBuildStarter(const CacheBuildStarter&) = delete;
  CacheBuildStarter& operator=(const CacheBuildStarter&) = delete;

  void Start();
  void OnExit(int32_t code) override;
  // The run broke off: its class list may be cut short, no build.
  void OnAbort() override {}

 private:
  std::optional<CacheBuildJob> job_;
  WideString executablePath_;
  std::atomic<bool> started_{false};
};

// The launcher's work when kCacheBuildVariable is set: 0 when an archive was
// put in place.
int32_t RunCacheBuild(const WideString& jobFile);
