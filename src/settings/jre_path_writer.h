#pragma once

#include "common/executable_location.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

namespace launcher::settings {

// Remembers the runtime folder the user chose as "JRE Path": in the per-user
// settings files of the launcher and of its companion (folders created), or,
// in service mode or off NT, in the settings files beside them. Failures are not
// reported.
void WriteJrePath(const ProductSettings& product, const ExecutableLocation& executable, const WideString& folder);

}  // namespace launcher::settings
