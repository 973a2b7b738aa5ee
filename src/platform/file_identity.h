#pragma once

#include <cstdint>

#include "platform/wide_string.h"

namespace platform {

// What the system tells of a path: whether something is there, whether that
// is a plain file (not a folder), its size, and its last modification time in
// nanoseconds since 1970 (in the file system's resolution).
struct FileIdentity {
  bool exists = false;
  bool regularFile = false;
  uint64_t size = 0;
  int64_t modified = 0;
};

FileIdentity QueryFileIdentity(const WideString& path);

}  // namespace platform
