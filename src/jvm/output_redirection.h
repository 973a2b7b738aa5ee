#pragma once

#include <cstdint>

#include <jni.h>

#include "platform/expected.h"
#include "platform/local_time.h"
#include "platform/wide_string.h"

#include "settings/launcher_settings.h"

namespace launcher::jvm {

enum class JavaStream { Output, Error };

// Points System.out and System.err at their files (an empty name leaves the
// stream as it is), right after the JVM is created; the date and time of the
// names are those of this moment. A failed redirection is printed on the
// stream the JVM has, and is no failure.
void SetUpStandardStreams(JNIEnv* env, settings::StreamSetting output, settings::StreamSetting error);

// Replaces the text from the first to the last "%" of a file name by that
// pattern formatted with the time: L for milliseconds, then the time pictures,
// then the date pictures.
void ExpandTimePlaceholders(WideString& fileName, const platform::LocalTime& time);

// Opens the file (emptied, or appended to) and makes it System.out or System.err.
bool RedirectStream(JNIEnv* env, const WideString& fileName, bool append, JavaStream stream);

// Creates the missing folders on the way to a file; the error of the folder
// that could not be made.
platform::SystemStatus CreateParentFolders(const WideString& path);

}  // namespace launcher::jvm
