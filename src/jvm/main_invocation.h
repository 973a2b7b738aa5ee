#pragma once

#include <functional>

#include <jni.h>

#include "common/launch_error.h"
#include "platform/wide_string.h"

namespace launcher::jvm {

// How main ended: it returned, or it left an uncaught exception that the
// application was not stopped for.
enum class MainEnd { Returned, Threw };

// What the user decided about an exception that main did not catch.
enum class ExceptionVerdict { Ignore, Stop };

// What the caller does around the application's main, on the JVM thread.
struct MainHooks {
  // The main method and its arguments are ready: main runs next, in the JVM
  // given, which other threads may now attach to.
  std::function<void(JavaVM* vm)> beforeMain;
  // main has returned or thrown, before an uncaught exception is handled.
  std::function<void()> afterMain;
  // Offers the exception's stack trace to the user; unset: nobody is asked
  // and the exception is left as main left it.
  std::function<ExceptionVerdict(const WideString& trace)> askAboutException;
};

// On the JVM thread: finds the main class ("/"-separated) and its main
// method, calls it with the arguments, and handles an uncaught exception
// (Stop ends the application through System.exit(-1); the trace goes to
// System.err in every case). Fails with message 211, 215 or 216, or silently
// when the runtime has printed the reason.
Result<MainEnd> InvokeMainClass(JavaVM* vm, JNIEnv* env, const WideString& mainClass, const WideStringList& arguments,
                                const MainHooks& hooks);

// System.exit(-1).
void CallSystemExit(JNIEnv* env);

}  // namespace launcher::jvm
