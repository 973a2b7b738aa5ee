#pragma once

#include <cstdint>

#include "platform/expected.h"
#include "platform/wide_string.h"

namespace platform {

// Loads a library for the rest of the process (it is never unloaded); null on
// failure, with the system's reason in error.
void* LoadLibraryForever(const WideString& path, uint32_t& error);

// Loads, by its full path, a library that a runtime's JVM library imports from
// the runtime's own folder, for the rest of the process; the libraries it
// imports in turn are looked for in its folder first. null on failure, with
// the system's reason in error.
void* LoadRuntimeLibraryForever(const WideString& path, uint32_t& error);

// Loads a library of the system by file name, for the rest of the process:
// on Windows from the system folder only (never from beside the executable or
// the current folder), on POSIX where the dynamic loader finds it, its symbols
// kept to itself. For the libraries only a few starts need.
SystemResult<void*> LoadSystemLibrary(const WideString& fileName);

// The address of an exported function; null when the library has none of that
// name (quietly: for the libraries LoadSystemLibrary loads).
void* ExportAddress(void* library, const char* name);

// Binds a function pointer to the export of that name; false when it is missing.
template <typename Function>
bool BindExport(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(ExportAddress(library, name));
  return function != nullptr;
}

// The address of an exported function; null when the library has none of that
// name, with the system's reason in error.
void* FindExport(void* library, const char* name, uint32_t& error);

}  // namespace platform
