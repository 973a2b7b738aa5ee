#include "platform/kernel_handle.h"

#include "platform/windows_api.h"

namespace platform {

void KernelHandleTraits::Close(Type handle) { ::CloseHandle(handle); }

}  // namespace platform
