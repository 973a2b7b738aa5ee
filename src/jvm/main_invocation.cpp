#include "jvm/main_invocation.h"

#include "jvm/exception_text.h"
#include "jvm/java_strings.h"
#include "jvm/local_ref.h"
#include "platform/text.h"

namespace launcher::jvm {

namespace {

// The main class, a local reference for the caller to own.
Result<jclass> FindMainClass(JNIEnv* env, const WideString& className) {
  ClassLookupStep failed{};
  jclass mainClass = FindClassByName(env, className, failed);
  if (mainClass != nullptr) return mainClass;
  if (failed == ClassLookupStep::Name) return LaunchError{StringId::kMainClassLoadFailed, {className}};
  env->ExceptionDescribe();
  if (failed == ClassLookupStep::Bytes) return LaunchError::Silent();
  return LaunchError{StringId::kMainClassNotFound, {className}};
}

Result<jmethodID> FindMainMethod(JNIEnv* env, jclass mainClass) {
  jmethodID main = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
  if (main != nullptr) return main;
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    return LaunchError::Silent();
  }
  return LaunchError{StringId::kMainMethodMissing, {}};
}

// The stack trace is offered; Stop ends the application, Ignore puts the
// exception back as main left it. An exception without a trace counts as
// ignored. Either way the trace reaches the application's System.err (so an
// "Error File" keeps it): on Stop it is described there before the exit, else
// the runtime reports the exception it finds pending when the thread detaches.
void OfferException(JNIEnv* env, jthrowable thrown, const MainHooks& hooks) {
  // Describing it needs the JVM without a pending exception.
  env->ExceptionClear();
  const WideString trace = DescribeException(thrown, env);
  const bool stop = !trace.empty() && hooks.askAboutException(trace) == ExceptionVerdict::Stop;
  env->Throw(thrown);
  if (!stop) return;
  env->ExceptionDescribe();
  CallSystemExit(env);
}

MainEnd HandleUncaughtException(JNIEnv* env, const MainHooks& hooks) {
  // The reference is ours; the exception stays pending (or is thrown again) without it.
  LocalRef<jthrowable> thrown(env, env->ExceptionOccurred());
  if (!thrown) return MainEnd::Returned;
  if (hooks.askAboutException) OfferException(env, thrown.get(), hooks);
  return MainEnd::Threw;
}

}  // namespace

void CallSystemExit(JNIEnv* env) {
  LocalRef<jclass> system(env, env->FindClass("java/lang/System"));
  if (!system) return;
  jmethodID exit = env->GetStaticMethodID(system.get(), "exit", "(I)V");
  if (exit == nullptr) return;
  env->CallStaticVoidMethod(system.get(), exit, static_cast<jint>(-1));
  if (env->ExceptionCheck()) env->ExceptionDescribe();
}

Result<MainEnd> InvokeMainClass(JavaVM* vm, JNIEnv* env, const WideString& mainClass, const WideStringList& arguments,
                                const MainHooks& hooks) {
  Result<jclass> found = FindMainClass(env, mainClass);
  if (!found) return found.error();
  LocalRef<jclass> type(env, *found);
  Result<jmethodID> main = FindMainMethod(env, type.get());
  if (!main) return main.error();
  LocalRef<jobjectArray> array(env, NewJavaStringArray(arguments, env));
  if (!array) {
    env->ExceptionDescribe();
    return LaunchError::Silent();
  }
  if (hooks.beforeMain) hooks.beforeMain(vm);
  env->CallStaticVoidMethod(type.get(), *main, array.get());
  if (hooks.afterMain) hooks.afterMain();
  return HandleUncaughtException(env, hooks);
}

}  // namespace launcher::jvm
