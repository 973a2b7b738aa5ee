#pragma once

#include <jni.h>

#include "common/application_end.h"

namespace launcher::jvm {

// Makes the JVM's exit and abort hooks tell the observer for as long as the
// scope lasts (before and after it they tell nobody; the launcher installs no
// hooks of its own). One at a time, as there is one JVM per process.
class TerminationObserverScope {
 public:
  explicit TerminationObserverScope(TerminationObserver& observer);
  ~TerminationObserverScope();
  TerminationObserverScope(const TerminationObserverScope&) = delete;
  TerminationObserverScope& operator=(const TerminationObserverScope&) = delete;
};

// The hooks given to the JVM as the "exit" and "abort" options.
void JNICALL ExitHook(jint code);
void JNICALL AbortHook();

}  // namespace launcher::jvm
