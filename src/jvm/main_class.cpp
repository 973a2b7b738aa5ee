#include "jvm/main_class.h"

#include "jvm/exception_dialog.h"
#include "jvm/java_strings.h"
#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "launcher/splash.h"
#include "platform/event.h"
#include "platform/thread.h"

namespace {

// The main class and its main method; null when either is missing (the user
// has been told, or the runtime's exception printed).
jmethodID FindMainMethod(Launcher& launcher, JNIEnv* env, jclass& mainClass) {
  UserInterface& ui = launcher.host.ui;
  jstring name = NewJavaString(launcher.mainClassName, env);
  if (name == nullptr) {
    ShowErrorWithText(ui, launcher.splashWindow, StringId::kMainClassLoadFailed, launcher.mainClassName);
    return nullptr;
  }
  const char* bytes = env->GetStringUTFChars(name, nullptr);
  if (bytes == nullptr) {
    env->ExceptionDescribe();
    return nullptr;
  }
  mainClass = env->FindClass(bytes);
  env->ReleaseStringUTFChars(name, bytes);
  env->DeleteLocalRef(name);
  if (mainClass == nullptr) {
    env->ExceptionDescribe();
    ShowErrorWithText(ui, launcher.splashWindow, StringId::kMainClassNotFound, launcher.mainClassName);
    return nullptr;
  }
  jmethodID main = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
  if (main != nullptr) return main;
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
  } else {
    ShowError(ui, launcher.splashWindow, StringId::kMainMethodMissing);
  }
  return nullptr;
}

// After main: an uncaught exception is offered to the user when "Failure Check"
// is on; Stop ends the application.
void HandleUncaughtException(Launcher& launcher, JNIEnv* env) {
  jthrowable thrown = env->ExceptionOccurred();
  if (thrown == nullptr) return;
  CloseSplash(launcher);
  if (!launcher.failureCheck) return;
  // Describing it needs the JVM without a pending exception; an ignored one is
  // put back, as main left it.
  env->ExceptionClear();
  if (ShowExceptionDialog(launcher, thrown, env)) {
    CallSystemExit(env);
  } else {
    env->Throw(thrown);
  }
}

bool RunMain(Launcher& launcher, JNIEnv* env) {
  jclass mainClass = nullptr;
  jmethodID main = FindMainMethod(launcher, env, mainClass);
  if (main == nullptr) return false;
  jobjectArray arguments = NewJavaStringArray(launcher.arguments, env);
  if (arguments == nullptr) {
    env->ExceptionDescribe();
    return false;
  }
  if (launcher.forwardingEvent) platform::SignalEvent(launcher.forwardingEvent);
  env->CallStaticVoidMethod(mainClass, main, arguments);
  HandleUncaughtException(launcher, env);
  return true;
}

}  // namespace

void CallSystemExit(JNIEnv* env) {
  jclass system = env->FindClass("java/lang/System");
  if (system == nullptr) return;
  jmethodID exit = env->GetStaticMethodID(system, "exit", "(I)V");
  if (exit == nullptr) return;
  env->CallStaticVoidMethod(system, exit, static_cast<jint>(-1));
  if (env->ExceptionCheck()) env->ExceptionDescribe();
}

bool InvokeMainClass(Launcher& launcher) {
  JNIEnv* env = launcher.jniEnv;
  const bool ran = RunMain(launcher, env);
  // An IBM runtime must not lose its main thread: the process ends through System.exit.
  if (ran && (launcher.ibmAccepted || launcher.ibmFavoured)) platform::SleepForever();
  // Detached on every path, or DestroyJavaVM would wait for this thread for ever.
  const bool detached = launcher.javaVm->DetachCurrentThread() == JNI_OK;
  return ran && detached;
}
