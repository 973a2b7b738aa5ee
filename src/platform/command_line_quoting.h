#pragma once

#include "platform/wide_string.h"

namespace platform {

// A Windows command line that the C runtime's parser (and so java.exe) splits
// back into exactly these arguments: each is quoted when it is empty or holds
// white space or a double quote, with the backslashes before a quote doubled.
WideString JoinCommandLine(const WideStringList& arguments);

}  // namespace platform
