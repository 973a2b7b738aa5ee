#include "platform/system_version.h"

namespace platform {

bool IsNtFamily() { return true; }

}  // namespace platform
