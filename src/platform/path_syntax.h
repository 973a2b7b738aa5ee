#pragma once

#include "platform/wide_string.h"

namespace platform {

// How the system writes paths and path lists.
extern const wchar_t kPathSeparator;              // between folders of one path
extern const wchar_t kPathListSeparator;          // between the folders of the search path and the class path
extern const wchar_t* const kSearchPathVariable;  // the variable that lists the program folders

// Whether a path names its location from a root rather than from the current folder.
bool IsAbsolutePath(const WideString& path);

// Whether an executable whose file name has no extension still has a settings file
// (its name with ".ini" appended).
extern const bool kExtensionlessExecutableHasSettings;

}  // namespace platform
