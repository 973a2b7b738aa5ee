#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// The value of KEY in the text of a runtime's "release" file: the first line
// KEY=value or KEY="value" (white space around the key and the value and one
// pair of double quotes removed), decoded from UTF-8. nullopt when no line
// names KEY. Portable: the listing of installed runtimes reads it here.
std::optional<WideString> ReleaseFileValue(std::string_view text, std::string_view key);

// The start of the "release" file of the runtime whose home folder is given:
// a release file holds a few hundred bytes, and whatever stands in its place
// must neither block nor fill the memory. Empty when there is none.
std::string ReadReleaseFile(const WideString& home);

}  // namespace platform
