#pragma once

// What POSIX code of the platform layer shares: the owners of the resources it
// opens, and the error of a call that failed. POSIX code only.
#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/expected.h"
#include "platform/handles.h"

namespace launcher::platform::posix {

// A file descriptor (invalid: -1).
struct DescriptorTraits {
  using Type = int;
  static Type Invalid() { return -1; }
  static void Close(Type descriptor) { ::close(descriptor); }
};
using Descriptor = UniqueHandle<DescriptorTraits>;

// A folder being listed with opendir.
struct DirectoryTraits {
  using Type = DIR*;
  static Type Invalid() { return nullptr; }
  static void Close(Type directory) { ::closedir(directory); }
};
using DirectoryListing = UniqueHandle<DirectoryTraits>;

// The error of the call that just failed.
inline SystemError LastError() { return {static_cast<uint32_t>(errno)}; }

}  // namespace launcher::platform::posix
