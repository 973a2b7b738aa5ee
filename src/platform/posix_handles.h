#pragma once

// The POSIX resources the launcher owns, each as a move-only owner. POSIX code only.
#include <dirent.h>
#include <unistd.h>

#include "platform/unique_handle.h"

namespace platform::posix {

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

}  // namespace platform::posix
