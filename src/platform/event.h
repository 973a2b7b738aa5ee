#pragma once

#include "platform/kernel_handle.h"

namespace platform {

// Sets an event object to the signalled state.
void SignalEvent(const KernelHandle& event);

}  // namespace platform
