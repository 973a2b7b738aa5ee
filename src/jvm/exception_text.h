#pragma once

#include <jni.h>

#include "platform/wide_string.h"

namespace launcher::jvm {

// The stack trace that throwable.printStackTrace writes, as text; empty when it
// cannot be obtained. No exception may be pending when it is called.
WideString DescribeException(jthrowable throwable, JNIEnv* env);

}  // namespace launcher::jvm
