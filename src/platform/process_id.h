#pragma once

#include <cstdint>

namespace platform {

// The running process's id, as the system's tools show it.
uint32_t CurrentProcessId();

}  // namespace platform
