#pragma once

#include <functional>

namespace platform {

// Runs work on a new thread that nobody waits for; false when no thread can be
// made. An exception that leaves work ends the thread, not the process.
bool StartDetachedThread(std::function<void()> work);

}  // namespace platform
