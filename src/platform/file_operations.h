#pragma once

#include <string>
#include <string_view>

#include "platform/expected.h"
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

// Creates a file of a name nothing has yet (a link of that name makes it fail
// too, never followed), writes the bytes and puts them on disk before it
// returns. On failure the file is gone again.
SystemStatus CreateFileWithBytes(const WideString& path, std::string_view bytes);

// Renames a file over another in one step, changing no attribute of either
// file: a read-only target stays as it is and the rename fails.
SystemStatus RenameReplacing(const WideString& from, const WideString& to);

// Whether a file exists that is not to be written: its read-only attribute on
// Windows, no write permission on POSIX.
bool IsReadOnlyFile(const WideString& path);

// What a failed file operation's error says, as far as a caller decides by
// it: the name was taken, or another program holds the file for a moment (a
// virus scanner scanning a new file; Windows only).
enum class FileFailure { NameTaken, HeldByAnotherProgram, Other };
FileFailure ClassifyFileFailure(SystemError error);

}  // namespace platform
