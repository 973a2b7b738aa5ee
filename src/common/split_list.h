#pragma once

#include "platform/wide_string.h"

namespace launcher {

// Splits text at every separator. Empty pieces between separators are kept; the
// rest after the last separator is kept only when it is not empty, so "a;b;"
// gives a and b, ";a" gives "" and a, and "" gives nothing.
WideStringList SplitList(const WideString& text, const WideString& separator);

}  // namespace launcher
