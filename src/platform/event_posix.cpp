#include "platform/event.h"

namespace platform {

// POSIX launchers create no event objects (single instance is Windows only).
void SignalEvent(const KernelHandle&) {}

}  // namespace platform
