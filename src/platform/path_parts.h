#pragma once

#include <cstddef>

#include "platform/wide_string.h"

namespace platform {

// The pieces of a path, cut at its last separator (any of the system's).

// The position of the last separator, or npos.
size_t LastSeparator(const WideString& path);

// What follows the last separator: the file name (the whole text without one).
WideString FileNameOf(const WideString& path);

// What precedes the last separator: the containing folder without its trailing
// separator (the text unchanged without one).
WideString ParentOf(const WideString& path);

// The containing folder with its trailing separator ("" without one).
WideString FolderOf(const WideString& path);

// The text with a path separator appended unless it is empty or ends with one.
WideString WithTrailingSeparator(const WideString& folder);

}  // namespace platform
