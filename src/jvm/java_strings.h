#pragma once

#include <jni.h>

#include "platform/wide_string.h"

namespace launcher::jvm {

// A new java.lang.String with exactly the UTF-16 code units of text (built from
// a char array, never from modified UTF-8); null on failure.
jstring NewJavaString(const WideString& text, JNIEnv* env);

// A new String[] of the texts, in order; null on failure.
jobjectArray NewJavaStringArray(const WideStringList& texts, JNIEnv* env);

// Where looking up a class by name stopped.
enum class ClassLookupStep { Name, Bytes, Class };

// The class by its "/"-separated name, looked up through the name's modified
// UTF-8 so that any character survives; null, with the step that failed, when
// it is not found (after Name no exception is pending, after the others one is).
jclass FindClassByName(JNIEnv* env, const WideString& name, ClassLookupStep& failed);

}  // namespace launcher::jvm
