#pragma once

#include <cstdint>

#include "discovery/java_version.h"
#include "discovery/jvm_type_mode.h"
#include "jvm/jni_entry_points.h"
#include "jvm/jvm_option_list.h"
#include "launcher/host.h"
#include "platform/kernel_handle.h"
#include "platform/wide_string.h"

// Observes the JVM's exit and abort hooks; the launcher installs none itself.
class TerminationObserver {
 public:
  virtual ~TerminationObserver() = default;
  virtual void OnExit(int32_t code) = 0;
  virtual void OnAbort() = 0;
};

// The one object of a run: every setting, path, handle and the JVM. It lives on
// the entry point's stack; Initialize, Run (after a successful Initialize) and
// Cleanup run in that order.
class Launcher {
 public:
  explicit Launcher(Host& host);
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // The launcher of this process, reached by the JVM hooks; null when there is none.
  static Launcher* Current();

  bool Initialize();
  int32_t Run();
  void Cleanup();
  uint32_t RunJvmThread();

  TerminationObserver* terminationObserver = nullptr;
  platform::KernelHandle splashThread;
  uint32_t splashThreadId = 0;
  WideString splashImagePath;
  WideString splashShadowSetting;
  JvmTypeMode jvmTypeMode = JvmTypeMode::Default;
  WideString jvmLibraryPath;
  JavaVM* javaVm = nullptr;
  JNIEnv* jniEnv = nullptr;
  WideString mainClassName;
  JavaVersion chosenVersion;
  JavaVersion minimumVersion;
  JavaVersion maximumVersion;
  WideStringList arguments;
  WindowHandle splashWindow = nullptr;
  bool serviceMode = false;
  bool jdkWanted = false;
  bool jreWanted = false;
  bool anySource = true;
  bool jrockitAccepted = false;
  bool sunAccepted = true;
  bool ibmAccepted = false;
  bool jrockitFavoured = false;
  bool sunFavoured = true;
  bool ibmFavoured = false;
  WideString productName;
  WideString productCode;
  JvmOptionList jvmOptions;
  WideStringList preferredVersions;
  WideString jrePathSetting;
  WideString libraryPathSetting;
  void* sharedBlockView = nullptr;
  platform::KernelHandle mappingHandle;
  platform::KernelHandle messageThread;
  bool firstInstance = false;
  bool singleInstanceActive = false;
  WideString outputFile;
  WideString errorFile;
  bool outputAppend = false;
  bool errorAppend = false;
  WideString systemPathSetting;
  WideString extraArguments;
  WideString pairProduct;
  bool pairReturnCode = false;
  bool failureCheck = false;
  bool overrideWorkingDirectory = false;
  uint64_t jvmThreadStackSize = 0;  // bytes; 0 asks the JVM
  void (*nativeSplashClose)() = nullptr;
  platform::KernelHandle forwardingEvent;
  bool relaunchPairProduct = false;
  CreateJavaVmFunction createJavaVm = nullptr;
  GetDefaultJavaVmInitArgsFunction getDefaultJavaVmInitArgs = nullptr;

  // The system services this run uses (the real ones, or a test's).
  Host& host;
};
