#pragma once

#include "platform/wide_string.h"

namespace platform {

// How the system writes paths and path lists.
extern const wchar_t kPathSeparator;              // between folders of one path, as the system writes it
extern const wchar_t* const kPathSeparators;      // every character that separates folders
extern const wchar_t kPathListSeparator;          // between the folders of the search path and the class path
extern const wchar_t* const kSearchPathVariable;  // the variable that lists the program folders

// Whether c separates folders: on Windows "/" as well as "\\", as the system accepts both.
bool IsPathSeparator(wchar_t c);

// Whether a path names its location from a root rather than from the current folder.
bool IsAbsolutePath(const WideString& path);

// Whether an executable whose file name has no extension still has a settings file
// (its name with ".ini" appended).
extern const bool kExtensionlessExecutableHasSettings;

}  // namespace platform
