#pragma once

#include "platform/unique_handle.h"

namespace platform {

// A kernel object (thread, event, file mapping, process) of the operating system.
struct KernelHandleTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle);
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace platform
