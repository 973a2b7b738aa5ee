#pragma once

#include <optional>

#include "common/executable_location.h"
#include "common/launch_error.h"
#include "common/trace.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

namespace launcher::settings {

// Reads every setting of a start: the settings file beside the executable over
// the built-in settings it carries, and "JRE Path" from the per-user file when
// that applies. Fails silently when the executable has no settings file, and
// with message 210 when "Main Class" is missing. The files, and every non-empty
// value with the layer it came from, are written to the trace.
Result<LauncherSettings> ReadSettings(const ExecutableLocation& executable,
                                      const std::optional<WideString>& builtinText, Trace& trace = NoTrace());

}  // namespace launcher::settings
