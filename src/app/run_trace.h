#pragma once

#include <cstdint>
#include <string_view>

#include "common/trace.h"
#include "jvm/jvm_hooks.h"
#include "jvm/launch_plan.h"
#include "platform/library.h"
#include "startup_cache/startup_cache.h"
#include "ui/splash_screen.h"

// The trace lines of the run sequence's own steps.

// The phases of a start: the line's time says when each began.
void TracePhase(Trace& trace, std::string_view name);
void TraceExit(Trace& trace, int32_t code, std::string_view reason);
void TraceLibrarySearch(Trace& trace, platform::LibrarySearchRule rule);

// What shows the splash picture, once both ways have been tried; "none" also
// when the start has no picture or suppresses it.
void TraceSplash(Trace& trace, SplashSource source);

// Which mechanism the start-up cache has on this runtime and why, and what
// this start does with it.
void TraceStartupCache(Trace& trace, const StartupCachePlan& cache);

// The main class and every argument main gets.
void TraceMain(Trace& trace, const LaunchPlan& plan);

// The JVM ends the process itself after System.exit, through its exit hook,
// and the run sequence never returns: the trace is told there, and then the
// observer that has more to do at that moment (the start-up cache's build).
class ExitObserver final : public TerminationObserver {
 public:
  ExitObserver(Trace& trace, TerminationObserver* next);
  ~ExitObserver() override;
  ExitObserver(const ExitObserver&) = delete;
  ExitObserver& operator=(const ExitObserver&) = delete;

  void OnExit(int32_t code) override;
  void OnAbort() override;

 private:
  Trace& trace_;
  TerminationObserver* next_;
};
