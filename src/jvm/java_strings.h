#pragma once

#include <jni.h>

#include "platform/wide_string.h"

// A new java.lang.String with exactly the UTF-16 code units of text (built from
// a char array, never from modified UTF-8); null on failure.
jstring NewJavaString(const WideString& text, JNIEnv* env);

// A new String[] of the texts, in order; null on failure.
jobjectArray NewJavaStringArray(const WideStringList& texts, JNIEnv* env);
