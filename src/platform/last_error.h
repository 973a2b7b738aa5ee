#pragma once

#include <cstdint>

namespace platform {

// The calling thread's last system error code (GetLastError / errno).
uint32_t LastError();
void SetLastError(uint32_t code);

inline constexpr uint32_t kErrorOutOfMemory = 14;     // ERROR_OUTOFMEMORY
inline constexpr uint32_t kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

}  // namespace platform
