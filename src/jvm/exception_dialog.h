#pragma once

#include <jni.h>

class Launcher;

// Offers an exception thrown by main to the user with its stack trace; true
// means Stop (also when the dialog could not be shown), false Ignore (also when
// there is no trace to show). No exception may be pending.
bool ShowExceptionDialog(Launcher& launcher, jthrowable throwable, JNIEnv* env);
