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

// Whether a path names a network share: two leading separators, but not the
// long-path prefix "\\?\".
bool IsNetworkPath(const WideString& path);

// The components of a path, in order; the first keeps a long-path prefix and
// a network path's server ("\\server", "C:", "" for a root).
WideStringList PathComponents(const WideString& path);

}  // namespace platform
