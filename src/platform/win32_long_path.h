#pragma once

#include "platform/wide_string.h"

namespace platform::win32 {

// The one long-path rule of the file functions: a path of MAX_PATH characters
// or more is made full and normalised (".", ".." and "/" resolved, which the
// prefix would turn off), then prefixed with \\?\ (\\?\UNC\ for a network
// path). Shorter paths are passed as they are. Windows code only.
WideString LongPathForm(const WideString& path);

}  // namespace platform::win32
