#pragma once

#include <jni.h>

class Launcher;

// On the JVM thread: finds the main class and its main method, calls it with the
// argument list, handles an uncaught exception and detaches the thread from the
// JVM. False when main could not be called or detaching failed.
bool InvokeMainClass(Launcher& launcher);

// System.exit(-1).
void CallSystemExit(JNIEnv* env);
