#include "platform/event.h"

#include "platform/windows_api.h"

namespace platform {

void SignalEvent(const KernelHandle& event) { ::SetEvent(event.Get()); }

}  // namespace platform
