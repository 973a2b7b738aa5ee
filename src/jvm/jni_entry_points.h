#pragma once

#include <jni.h>

namespace launcher::jvm {

// The two exports of a JVM library that the launcher calls.
using CreateJavaVmFunction = jint(JNICALL*)(JavaVM**, void**, void*);
using GetDefaultJavaVmInitArgsFunction = jint(JNICALL*)(void*);

}  // namespace launcher::jvm
