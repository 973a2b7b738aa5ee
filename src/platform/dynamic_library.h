#pragma once

#include <cstdint>

#include "platform/wide_string.h"

namespace platform {

// Loads a library for the rest of the process (it is never unloaded); null on
// failure, with the system's reason in error.
void* LoadLibraryForever(const WideString& path, uint32_t& error);

// The address of an exported function; null when the library has none of that
// name, with the system's reason in error.
void* FindExport(void* library, const char* name, uint32_t& error);

}  // namespace platform
