#include "launcher/launcher.h"

#include "discovery/runtime_resolution.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_options.h"
#include "jvm/jvm_thread.h"
#include "jvm/process_environment.h"
#include "launcher/command_line.h"
#include "launcher/settings_file.h"
#include "launcher/splash.h"
#include "platform/thread.h"

namespace {

Launcher* current_launcher = nullptr;

}  // namespace

Launcher::Launcher(Host& services) : host(services) { current_launcher = this; }

Launcher::~Launcher() {
  if (current_launcher == this) current_launcher = nullptr;
}

Launcher* Launcher::Current() { return current_launcher; }

bool Launcher::Initialize() {
  arguments = ReadCommandLine(platform::QueryCommandLine());
  if (!ReadSettings(*this)) return false;
  return ResolveRuntime(*this);
}

int32_t Launcher::Run() {
  PrepareEnvironment(*this);
  if (!LoadJvmLibrary(*this, jvmLibraryPath)) return -1;
  if (!AssembleJvmOptions(*this)) return -1;
  if (RunJvmThread() == 0) return 0;
  if (nativeSplashClose != nullptr) {
    nativeSplashClose();
    nativeSplashClose = nullptr;
  }
  return -1;
}

uint32_t Launcher::RunJvmThread() {
  if (jvmThreadStackSize == 0) jvmThreadStackSize = DefaultJavaStackSize(*this);
  if (std::optional<uint32_t> code = platform::RunThreadAndWait(jvmThreadStackSize, &JvmThreadMain, this)) {
    return *code;
  }
  // No thread to be had: the JVM runs on this one.
  return JvmThreadMain(this);
}

void Launcher::Cleanup() {
  CloseSplash(*this);
  if (javaVm != nullptr) {
    javaVm->DestroyJavaVM();
    javaVm = nullptr;
    jniEnv = nullptr;
  }
  forwardingEvent.Reset();
  if (nativeSplashClose != nullptr) {
    nativeSplashClose();
    nativeSplashClose = nullptr;
  }
  arguments.clear();
  jvmOptions.clear();
  preferredVersions.clear();
}
