#pragma once

#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// Whole-file operations on files the launcher keeps for itself (reading one:
// ReadWholeFile in file_replacement.h).

// At most limit bytes from the start of a regular file, for small files that
// other programs keep (a runtime's "release" file): whatever stands in its
// place (a FIFO, a device, a huge file) neither blocks nor fills the memory.
// Empty when it cannot be read.
std::string ReadFileStart(const WideString& path, size_t limit);

// Creates the file, or empties it, and writes the bytes; false when they could
// not all be written (a full disk, a folder that cannot be written).
bool WriteFileBytes(const WideString& path, std::string_view bytes);

// Renames a file, replacing a file of the new name (read-only ones too) in one step.
bool MoveFileReplacing(const WideString& from, const WideString& to);

// Deletes a file, read-only ones too.
bool RemoveFile(const WideString& path);

}  // namespace platform
