#pragma once

#include <optional>

#include "platform/wide_string.h"

namespace platform {

// The value of a variable of the process environment, whole; nullopt when unset.
std::optional<WideString> GetEnvironmentValue(const WideString& name);
bool SetEnvironmentValue(const WideString& name, const WideString& value);
bool UnsetEnvironmentValue(const WideString& name);

// Replaces every %NAME% whose variable is defined by its value; undefined
// references stay as written (the rule of ExpandEnvironmentStringsW).
WideString ExpandEnvironmentReferences(const WideString& text);

}  // namespace platform
