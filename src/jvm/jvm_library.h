#pragma once

#include <cstdint>

#include <jni.h>

#include "platform/wide_string.h"

class Launcher;

// Loads the JVM library (for good) and keeps its two entry points; the user is
// told when it cannot (message 222, or 202 with 212).
bool LoadJvmLibrary(Launcher& launcher, const WideString& path);

// The runtime's default Java thread stack size in bytes, 0 when it reports none.
uint64_t DefaultJavaStackSize(const Launcher& launcher);

// Creates the JVM with the option list and the "abort" and "exit" hooks, then
// redirects its standard streams; the user is told when creation fails.
bool CreateJvm(Launcher& launcher);

// The reason a JNI_CreateJavaVM result stands for (string ids 225 to 230; "" for others).
WideString JniFailureReason(jint result);

// The hooks given to the JVM: they tell the termination observer, if one is set.
void JNICALL ExitHook(jint code);
void JNICALL AbortHook();
