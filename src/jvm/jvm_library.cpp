#include "jvm/jvm_library.h"

#include <cstdarg>
#include <cstdio>

#include "common/jvm_path.h"
#include "jvm/runtime_dependencies.h"
#include "platform/files.h"
#include "platform/library.h"

namespace launcher::jvm {

namespace {

// The JNI 1.1 argument record, which current jni.h no longer declares; only
// javaStackSize is read back.
struct Jdk11InitArgs {
  jint version;
  char** properties;
  jint checkSource;
  jint nativeStackSize;
  jint javaStackSize;
  jint minHeapSize;
  jint maxHeapSize;
  jint verifyMode;
  char* classpath;
  jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
  void(JNICALL* exit)(jint code);
  void(JNICALL* abort)();
  jint enableClassGC;
  jint enableVerboseGC;
  jint disableAsyncGC;
  jint verbose;
  jboolean debugging;
  jint debugPort;
};

LaunchError MissingEntryPoint(platform::SystemError error) {
  return {StringId::kWindowsException, {StringId::kCreateJavaVmMissing, static_cast<int32_t>(error.code)}, error.code};
}

}  // namespace

Result<JvmLibrary> JvmLibrary::Load(const WideString& runtimePath, Trace& trace) {
  // A runtime finds its own files (its home, its class library) from the name
  // its JVM library was loaded by, which it reads in 8-bit text: in a folder
  // the code page cannot write, the library is loaded by its short form. With
  // none, it is loaded as it is (the JVM may still cope).
  const WideString path = JvmPathOf(runtimePath, &platform::ShortPathForm, trace).value_or(JvmPath{runtimePath}).path;
  LoadRuntimeDependencies(path, trace);
  // Its own imports too are looked for in its folder and the system's only,
  // never on the search path or in the current folder.
  const platform::SystemResult<void*> library = platform::LoadRuntimeLibraryForever(path);
  if (!library) {
    const uint32_t error = library.error().code;
    return LaunchError{StringId::kJvmLibraryLoadFailed, {runtimePath, static_cast<int32_t>(error)}, error};
  }
  const platform::SystemResult<void*> create = platform::FindExport(*library, "JNI_CreateJavaVM");
  if (!create) return MissingEntryPoint(create.error());
  const platform::SystemResult<void*> defaults = platform::FindExport(*library, "JNI_GetDefaultJavaVMInitArgs");
  if (!defaults) return MissingEntryPoint(defaults.error());
  return JvmLibrary(reinterpret_cast<CreateJavaVmFunction>(*create),
                    reinterpret_cast<GetDefaultJavaVmInitArgsFunction>(*defaults));
}

uint64_t JvmLibrary::DefaultStackSize() const {
  Jdk11InitArgs arguments{};
  arguments.version = 0x00010001;
  // Current runtimes refuse the 1.1 request with an error code yet fill the field.
  defaults_(&arguments);
  return arguments.javaStackSize > 0 ? static_cast<uint64_t>(arguments.javaStackSize) : 0;
}

jint JvmLibrary::CreateJavaVm(JavaVM** vm, JNIEnv** env, JavaVMInitArgs* arguments) const {
  return create_(vm, reinterpret_cast<void**>(env), arguments);
}

}  // namespace launcher::jvm
