#include "platform/window_focus.h"

#include "platform/windows_api.h"

namespace platform {

void* ActiveWindow() { return ::GetActiveWindow(); }

}  // namespace platform
