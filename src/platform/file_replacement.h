#pragma once

#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// Reading a whole file, and giving a file new contents without ever leaving it
// half written.

enum class FileState { Present, Missing, Unreadable };

struct FileBytes {
  FileState state = FileState::Missing;
  std::string bytes;
};

FileBytes ReadWholeFile(const WideString& path);

// Makes the file hold exactly bytes. A missing file is created (its folder
// must exist). An existing one is rewritten where it really lies (through
// symbolic links) and keeps its permissions, owner and links: the new contents
// go to a file beside it, to disk, and are then renamed over it; where no file
// can be made beside it (a folder we may not write), it is rewritten in place,
// its new bytes on disk before any old one is cut. A read-only file is not
// changed. On failure (no rights, a full disk) the file is left as it was and
// false is returned.
bool ReplaceFileContents(const WideString& path, std::string_view bytes);

}  // namespace platform
