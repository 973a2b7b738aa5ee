#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/application_end.h"
#include "common/trace.h"
#include "jvm/launch_plan.h"
#include "platform/library.h"

namespace launcher::app {

// The trace lines of the run sequence's own steps.

// The phases of a start: the line's time says when each began.
void TracePhase(Trace& trace, std::string_view name);

void TraceExit(Trace& trace, int32_t code, std::string_view reason);

void TraceLibrarySearch(Trace& trace, platform::LibrarySearchRule rule);

// The main class and every argument main gets.
void TraceMain(Trace& trace, const jvm::LaunchPlan& plan);

// The JVM ends the process itself after System.exit, through its exit hook,
// and the run sequence never returns: the trace is told there, and then,
// in order, the owners that have more to do at that moment (the start-up
// cache's build).
class ExitObserver final : public TerminationObserver {
 public:
  ExitObserver(Trace& trace, std::vector<TerminationObserver*> told);

  void OnExit(int32_t code) override;
  void OnAbort() override;

 private:
  Trace& trace_;
  const std::vector<TerminationObserver*> told_;
};

}  // namespace launcher::app
