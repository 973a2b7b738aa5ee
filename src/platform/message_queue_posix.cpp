#include "platform/message_queue.h"

namespace platform {

// POSIX threads have no message queues.
void CreateThreadMessageQueue() {}

}  // namespace platform
