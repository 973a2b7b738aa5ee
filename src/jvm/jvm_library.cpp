#include "jvm/jvm_library.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "jvm/output_redirection.h"
#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "platform/dynamic_library.h"
#include "platform/last_error.h"

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

void ReportMissingEntryPoint(Launcher& launcher) {
  ShowErrorWithCode(launcher.host.ui, launcher.splashWindow, StringId::kWindowsException,
                    LoadStringText(StringId::kCreateJavaVmMissing), static_cast<int32_t>(platform::LastError()));
}

}  // namespace

bool LoadJvmLibrary(Launcher& launcher, const WideString& path) {
  void* library = platform::LoadLibraryForever(path);
  if (library == nullptr) {
    ShowErrorWithCode(launcher.host.ui, launcher.splashWindow, StringId::kJvmLibraryLoadFailed, path,
                      static_cast<int32_t>(platform::LastError()));
    return false;
  }
  launcher.createJavaVm = reinterpret_cast<CreateJavaVmFunction>(platform::FindExport(library, "JNI_CreateJavaVM"));
  if (launcher.createJavaVm == nullptr) {
    ReportMissingEntryPoint(launcher);
    return false;
  }
  launcher.getDefaultJavaVmInitArgs =
      reinterpret_cast<GetDefaultJavaVmInitArgsFunction>(platform::FindExport(library, "JNI_GetDefaultJavaVMInitArgs"));
  if (launcher.getDefaultJavaVmInitArgs == nullptr) {
    ReportMissingEntryPoint(launcher);
    return false;
  }
  return true;
}

uint64_t DefaultJavaStackSize(const Launcher& launcher) {
  Jdk11InitArgs arguments{};
  arguments.version = 0x00010001;
  // Current runtimes refuse the 1.1 request with an error code yet fill the field.
  launcher.getDefaultJavaVmInitArgs(&arguments);
  return arguments.javaStackSize > 0 ? static_cast<uint64_t>(arguments.javaStackSize) : 0;
}

WideString JniFailureReason(jint result) {
  if (result < JNI_EINVAL || result > JNI_ERR) return {};
  return LoadStringText(static_cast<StringId>(static_cast<int>(StringId::kReasonUnknown) - 1 - result));
}

void JNICALL ExitHook(jint code) {
  Launcher* launcher = Launcher::Current();
  if (launcher != nullptr && launcher->terminationObserver != nullptr) launcher->terminationObserver->OnExit(code);
}

void JNICALL AbortHook() {
  Launcher* launcher = Launcher::Current();
  if (launcher != nullptr && launcher->terminationObserver != nullptr) launcher->terminationObserver->OnAbort();
}

bool CreateJvm(Launcher& launcher) {
  std::vector<JavaVMOption> options;
  options.reserve(launcher.jvmOptions.size() + 2);
  for (const std::string& option : launcher.jvmOptions) options.push_back({const_cast<char*>(option.c_str()), nullptr});
  options.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(&AbortHook)});
  options.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(&ExitHook)});

  JavaVMInitArgs arguments{};
  arguments.version = JNI_VERSION_1_2;
  arguments.nOptions = static_cast<jint>(options.size());
  arguments.options = options.data();
  arguments.ignoreUnrecognized = JNI_FALSE;

  jint result = launcher.createJavaVm(&launcher.javaVm, reinterpret_cast<void**>(&launcher.jniEnv), &arguments);
  if (result != JNI_OK) {
    launcher.javaVm = nullptr;
    launcher.jniEnv = nullptr;
    ShowErrorWithTexts(launcher.host.ui, launcher.splashWindow, StringId::kJniException,
                       LoadStringText(StringId::kJvmCreationFailed), JniFailureReason(result));
    return false;
  }
  SetUpStandardStreams(launcher);
  return true;
}
