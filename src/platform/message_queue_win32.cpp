#include "platform/message_queue.h"

#include "platform/windows_api.h"

namespace platform {

void CreateThreadMessageQueue() { ::DefWindowProcW(nullptr, WM_NULL, 0, 0); }

}  // namespace platform
