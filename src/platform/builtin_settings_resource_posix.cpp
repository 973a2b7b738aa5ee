#include "platform/builtin_settings_resource.h"

namespace platform {

// A POSIX executable carries no resources.
std::optional<WideString> LoadBuiltinSettingsText() { return std::nullopt; }

}  // namespace platform
