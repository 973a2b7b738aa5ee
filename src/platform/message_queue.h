#pragma once

namespace platform {

// Gives the calling thread its message queue (the first call into the window
// manager creates it), so that messages posted to the thread are kept.
void CreateThreadMessageQueue();

}  // namespace platform
