#pragma once

#include <cstdint>

namespace launcher {

// How the application's run ended, as the features that act once it has see it.
enum class ApplicationEnd {
  MainEnded,  // main returned or threw, and the JVM thread has ended
  Exited,     // System.exit: the JVM ends the process right after its exit hook
  Aborted,    // the JVM aborts the process: what the run wrote may be cut short
  Failed,     // the JVM could not be created or main could not be called
};

// Told by the JVM's exit and abort hooks, on whichever thread the JVM calls
// them; the process ends right after.
class TerminationObserver {
 public:
  virtual ~TerminationObserver() = default;
  virtual void OnExit(int32_t code) = 0;
  virtual void OnAbort() = 0;
};

}  // namespace launcher
