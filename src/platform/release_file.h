#pragma once

#include <optional>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// The value of KEY in the text of a runtime's "release" file (KEY="value"
// lines, as JAVA_VERSION="17.0.2"): from the first line that starts with KEY
// and "=", its double quotes removed and the line end and trailing spaces
// trimmed, decoded from UTF-8. nullopt when no line sets the key.
std::optional<WideString> ReleaseFileValue(std::string_view text, std::string_view key);

}  // namespace platform
