#include "platform/kernel_handle.h"

namespace platform {

// No POSIX service hands out kernel handles of this kind; nothing to release.
void KernelHandleTraits::Close(Type) {}

}  // namespace platform
