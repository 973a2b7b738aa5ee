#pragma once

#include "platform/wide_string.h"

namespace launcher::jvm {

// The tokens of "Virtual Machine Parameters": separated by spaces, with double
// quotes grouping (and kept).
WideStringList SplitVmParameters(const WideString& value);

}  // namespace launcher::jvm
