#include "jvm/jvm_hooks.h"

#include <atomic>

namespace launcher::jvm {

namespace {

// The JVM calls the hooks from any of its threads, with no context of ours.
std::atomic<TerminationObserver*> observer{nullptr};

}  // namespace

TerminationObserverScope::TerminationObserverScope(TerminationObserver& told) { observer.store(&told); }

TerminationObserverScope::~TerminationObserverScope() { observer.store(nullptr); }

void JNICALL ExitHook(jint code) {
  if (TerminationObserver* current = observer.load()) current->OnExit(code);
}

void JNICALL AbortHook() {
  if (TerminationObserver* current = observer.load()) current->OnAbort();
}

}  // namespace launcher::jvm
