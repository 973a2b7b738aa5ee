#pragma once

#include <cstdint>

#include <jni.h>

#include "common/launch_error.h"
#include "common/trace.h"
#include "jvm/jni_entry_points.h"
#include "platform/wide_string.h"

namespace launcher::jvm {

// The chosen runtime's JVM library, loaded for the rest of the process (it is
// never unloaded), with the two entry points the launcher calls.
class JvmLibrary {
 public:
  // Loads the libraries it imports from its runtime's own folder first, each by
  // its full path (see runtime_dependencies.h), then the library itself, by its
  // full path, its other imports taken from its folder and the system's. Fails with message 222 (the
  // library does not load) or 202 with 212 (an entry point is missing), each
  // with the system's error code of that call. A library in a folder that the
  // code page cannot write is loaded by its short form (see jvm_path.h).
  static Result<JvmLibrary> Load(const WideString& path, Trace& trace = NoTrace());

  // The runtime's default Java thread stack size in bytes, 0 when it reports none.
  uint64_t DefaultStackSize() const;

  // JNI_CreateJavaVM.
  jint CreateJavaVm(JavaVM** vm, JNIEnv** env, JavaVMInitArgs* arguments) const;

 private:
  JvmLibrary(CreateJavaVmFunction create, GetDefaultJavaVmInitArgsFunction defaults)
      : create_(create), defaults_(defaults) {}

  CreateJavaVmFunction create_;
  GetDefaultJavaVmInitArgsFunction defaults_;
};

}  // namespace launcher::jvm
