#pragma once

#include <cstddef>

#include "platform/wide_string.h"

namespace launcher::platform {

// ---- How the system writes paths and path lists

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

// ---- The pieces of a path, cut at its last separator (any of the system's)

// What follows the last separator: the file name (the whole text without one).
WideString FileNameOf(const WideString& path);

// What precedes the last separator: the containing folder without its trailing
// separator (the text unchanged without one).
WideString ParentOf(const WideString& path);

// The containing folder with its trailing separator ("" without one).
WideString FolderOf(const WideString& path);

// The text with a path separator appended unless it is empty or ends with one.
WideString WithTrailingSeparator(const WideString& folder);

// Whether a path names a network share: two leading separators, but not the
// long-path prefix "\\?\".
bool IsNetworkPath(const WideString& path);

// The components of a path, in order; the first keeps a long-path prefix and
// a network path's server ("\\server", "C:", "" for a root).
WideStringList PathComponents(const WideString& path);

}  // namespace launcher::platform
