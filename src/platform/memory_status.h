#pragma once

#include <cstdint>

namespace platform {

// The memory figures that heap and stack sizes may be given as a share of, in bytes.
struct MemoryFigures {
  uint64_t totalPhysical = 0;     // installed physical memory
  uint64_t availableVirtual = 0;  // address space the process can still use
};

MemoryFigures QueryMemoryFigures();

}  // namespace platform
