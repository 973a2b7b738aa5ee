#pragma once

#include <jni.h>

#include "common/jvm_option_list.h"
#include "common/launch_error.h"
#include "common/trace.h"
#include "jvm/jvm_library.h"

namespace launcher::jvm {

// The one JVM of the process. Created on the JVM thread, which it leaves
// attached; destroyed when the session ends, which waits for the application's
// non-daemon threads.
class JvmSession {
 public:
  // Creates the JVM with the options and the "abort" and "exit" hooks; fails
  // with message 203 and the reason of the JNI result. Every option passed, and
  // the result, are written to the trace.
  static Result<JvmSession> Create(const JvmLibrary& library, const JvmOptionList& options, Trace& trace = NoTrace());

  JvmSession(JvmSession&& other) noexcept;
  JvmSession& operator=(JvmSession&&) = delete;
  JvmSession(const JvmSession&) = delete;
  ~JvmSession();

  JavaVM* vm() const { return vm_; }
  // The creating thread's environment; valid on that thread only.
  JNIEnv* env() const { return env_; }

  // Returns once the application's non-daemon threads have ended, as
  // DestroyJavaVM would, but with the JVM still whole: whoever serves the
  // application meanwhile may go on until then. A thread started while
  // another is waited for is waited for too. A runtime that cannot list its
  // threads leaves the waiting to DestroyJavaVM.
  void WaitForApplicationThreads() const;

 private:
  JvmSession(JavaVM* vm, JNIEnv* env) : vm_(vm), env_(env) {}

  JavaVM* vm_;
  JNIEnv* env_;
};

// Keeps the calling thread attached to the JVM until the scope ends or Detach
// is called, so that no path leaves the thread attached (DestroyJavaVM would
// wait for it for ever).
class ThreadAttachment {
 public:
  explicit ThreadAttachment(JavaVM* vm) : vm_(vm) {}
  ~ThreadAttachment() { Detach(); }
  ThreadAttachment(const ThreadAttachment&) = delete;
  ThreadAttachment& operator=(const ThreadAttachment&) = delete;

  // DetachCurrentThread's result; JNI_OK once detached.
  jint Detach();

 private:
  JavaVM* vm_;
  bool detached_ = false;
};

// The reason a JNI_CreateJavaVM result stands for: string ids 225 to 230, or
// none for other results.
StringId JniFailureReason(jint result);

}  // namespace launcher::jvm
