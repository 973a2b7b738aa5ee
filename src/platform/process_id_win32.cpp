#include "platform/process_id.h"

#include "platform/windows_api.h"

namespace platform {

uint32_t CurrentProcessId() { return ::GetCurrentProcessId(); }

}  // namespace platform
