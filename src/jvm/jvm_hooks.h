#pragma once

#include <cstdint>

#include <jni.h>

// Observes the JVM's exit and abort hooks; the launcher installs none itself.
class TerminationObserver {
 public:
  virtual ~TerminationObserver() = default;
  virtual void OnExit(int32_t code) = 0;
  virtual void OnAbort() = 0;
};

// The observer the hooks tell (null: none). One per process, as there is one JVM.
void SetTerminationObserver(TerminationObserver* observer);

// The hooks given to the JVM as the "exit" and "abort" options.
void JNICALL ExitHook(jint code);
void JNICALL AbortHook();
