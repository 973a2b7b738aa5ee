#pragma once

#include "platform/wide_string.h"

namespace platform::win32 {

// The one long-path rule of the file functions: a path of MAX_PATH characters
// or more is made full and normalised (".", ".." and "/" resolved, which the
// prefix would turn off), then prefixed with \\?\ (\\?\UNC\ for a network
// path). Shorter paths are passed as they are. Windows code only.
WideString LongPathForm(const WideString& path);

// For the functions that take no path of MAX_PATH characters or more, not even
// with the prefix (under Wine the profile functions, and ReplaceFileW, which
// overruns a buffer there): such a path in its short form, the same file; for
// a file yet to be made, its folder's short form. Shorter paths, and those
// without a short form that fits, are passed as LongPathForm gives them.
WideString ShortPathForm(const WideString& path);

}  // namespace platform::win32
