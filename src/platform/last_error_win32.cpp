#include "platform/last_error.h"

#include "platform/windows_api.h"

namespace platform {

uint32_t LastError() { return ::GetLastError(); }
void SetLastError(uint32_t code) { ::SetLastError(code); }

}  // namespace platform
