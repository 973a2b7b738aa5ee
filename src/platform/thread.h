#pragma once

#include <cstdint>
#include <optional>

namespace platform {

using ThreadRoutine = uint32_t (*)(void* parameter);

// Runs routine on a new thread whose stack reserves the given size (0: the system's
// default) and waits for it without time limit; its exit code, or nullopt when
// the thread could not be created.
std::optional<uint32_t> RunThreadAndWait(uint64_t stackSize, ThreadRoutine routine, void* parameter);

// Blocks the calling thread for ever.
[[noreturn]] void SleepForever();

}  // namespace platform
