#pragma once

#include <optional>

#include "common/launch_error.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_session.h"
#include "jvm/launch_plan.h"
#include "jvm/main_invocation.h"

namespace launcher::jvm {

// Everything the JVM thread works from.
struct JvmRun {
  const JvmLibrary& library;
  const LaunchPlan& plan;
  MainHooks hooks;
  // After main the thread neither detaches nor ends: the process ends only
  // through System.exit (IBM runtimes need their main thread kept).
  bool sleepAfterMain = false;
  // Where the options passed to the JVM, and a thread kept after main, are written.
  Trace& trace = NoTrace();
};

// How the JVM thread ended: the JVM it created (kept, to be destroyed by the
// caller at clean-up), and whether and how the main class ran.
struct JvmOutcome {
  std::optional<JvmSession> session;
  Result<MainEnd> ran = MainEnd::Returned;
};

// Creates the JVM and runs the main class on a thread of its own with the
// plan's stack size (else the runtime's default), and waits for it; when no
// thread can be made, on the calling thread.
JvmOutcome RunJvm(const JvmRun& run);

}  // namespace launcher::jvm
