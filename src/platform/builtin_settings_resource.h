#pragma once

#include <optional>

#include "platform/wide_string.h"

namespace platform {

// The built-in settings text that the executable carries (RCDATA "SETTINGS" on
// Windows); nullopt when it carries none.
std::optional<WideString> LoadBuiltinSettingsText();

}  // namespace platform
