#pragma once

#include <optional>
#include <string_view>

#include "platform/wide_string.h"

// A runtime's "release" file: lines of KEY="value" (JAVA_VERSION="17.0.2").

// The value of the key, without its double quotes; nullopt when no line sets it.
std::optional<WideString> ReleaseFileValue(std::string_view text, std::string_view key);
