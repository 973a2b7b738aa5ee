#pragma once

#include "platform/wide_string.h"

namespace platform {

// Loads a library for the rest of the process (it is never unloaded); null on
// failure, with the reason in LastError.
void* LoadLibraryForever(const WideString& path);

// The address of an exported function; null when the library has none of that name.
void* FindExport(void* library, const char* name);

}  // namespace platform
