#include "jvm/jvm_library.h"

#include <cstdarg>
#include <cstdio>

#include "jvm/runtime_dependencies.h"
#include "platform/dynamic_library.h"

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

LaunchError MissingEntryPoint(uint32_t error) {
  return {StringId::kWindowsException, {StringId::kCreateJavaVmMissing, static_cast<int32_t>(error)}, error};
}

}  // namespace

Result<JvmLibrary> JvmLibrary::Load(const WideString& path, Trace& trace) {
  LoadRuntimeDependencies(path, trace);
  uint32_t error = 0;
  // Its own imports too are looked for in its folder and the system's only,
  // never on the search path or in the current folder.
  void* library = platform::LoadRuntimeLibraryForever(path, error);
  if (library == nullptr) {
    return LaunchError{StringId::kJvmLibraryLoadFailed, {path, static_cast<int32_t>(error)}, error};
  }
  auto create = reinterpret_cast<CreateJavaVmFunction>(platform::FindExport(library, "JNI_CreateJavaVM", error));
  if (create == nullptr) return MissingEntryPoint(error);
  auto defaults = reinterpret_cast<GetDefaultJavaVmInitArgsFunction>(
      platform::FindExport(library, "JNI_GetDefaultJavaVMInitArgs", error));
  if (defaults == nullptr) return MissingEntryPoint(error);
  return JvmLibrary(create, defaults);
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
