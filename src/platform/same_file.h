#pragma once

#include "platform/wide_string.h"

namespace platform {

// Whether two paths name one existing file (through links and differently
// spelled paths too); false when either does not exist.
bool IsSameFile(const WideString& a, const WideString& b);

}  // namespace platform
