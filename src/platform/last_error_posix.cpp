#include "platform/last_error.h"

#include <cerrno>

namespace platform {

uint32_t LastError() { return static_cast<uint32_t>(errno); }
void SetLastError(uint32_t code) { errno = static_cast<int>(code); }

}  // namespace platform
