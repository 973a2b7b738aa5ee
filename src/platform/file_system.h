#pragma once

#include <cstdint>
#include <optional>

#include "platform/wide_string.h"

namespace platform {

// Whether a file or folder of that name exists (FindFirstFileW finds it).
bool FileExists(const WideString& path);

// The size of a regular file; nullopt when the path names none (nothing, a
// folder, a FIFO, a device) or it cannot be examined. Opening nothing, it
// never waits.
std::optional<uint64_t> RegularFileSize(const WideString& path);

// Creates one folder; returns 0 or the system's error code (kErrorAlreadyExists
// when it is there already).
uint32_t MakeDirectory(const WideString& path);
bool RemoveEmptyDirectory(const WideString& path);
bool ChangeCurrentDirectory(const WideString& path);

// The names (without folder) that a search pattern finds, in the order the system
// returns them; the pattern may hold the wildcards * and ? in its last component.
// nullopt when nothing is found.
std::optional<WideStringList> FindFiles(const WideString& pattern);

}  // namespace platform
