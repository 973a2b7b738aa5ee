#pragma once

#include "platform/wide_string.h"

// The tokens of "Virtual Machine Parameters": separated by spaces, with double
// quotes grouping (and kept).
WideStringList SplitVmParameters(const WideString& value);
