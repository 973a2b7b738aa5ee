#pragma once

#include <jni.h>

// The two exports of a JVM library that the launcher calls.
using CreateJavaVmFunction = jint(JNICALL*)(JavaVM**, void**, void*);
using GetDefaultJavaVmInitArgsFunction = jint(JNICALL*)(void*);
