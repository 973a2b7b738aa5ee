#pragma once

#include <cstdint>
#include <functional>

#include "platform/expected.h"

namespace launcher::platform {

using ThreadRoutine = uint32_t (*)(void* parameter);

// Runs routine on a new thread whose stack reserves the given size (0: the
// system's default) and waits for it without time limit: its exit code.
SystemResult<uint32_t> RunThreadAndWait(uint64_t stackSize, ThreadRoutine routine, void* parameter);

// Runs work on a new thread that nobody waits for. An exception that leaves
// work ends the thread, not the process.
SystemStatus StartDetachedThread(std::function<void()> work);

// Blocks the calling thread for ever.
[[noreturn]] void SleepForever();

// Gives the calling thread its message queue (the first call into the window
// manager creates it), so that messages posted to the thread are kept.
void CreateThreadMessageQueue();

// The calling thread's active window (the owner for a dialog it opens); null
// when it has none.
void* ActiveWindow();

}  // namespace launcher::platform
