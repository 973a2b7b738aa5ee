#include "platform/window_focus.h"

namespace platform {

void* ActiveWindow() { return nullptr; }

}  // namespace platform
