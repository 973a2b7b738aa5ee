#pragma once

#include <cstdint>

#include "common/launch_error.h"
#include "settings/launcher_settings.h"

namespace launcher::app {

// Hands the start over to the companion, the launcher of the other bitness
// that "Pair Product" names, when the runtime found can only be run by it. The
// companion gets this launcher's own command line, unchanged, and the current
// folder. With "Pair Return Code" its exit code is passed back; otherwise 0,
// at once. A companion that cannot be started fails with message 240: its
// path and the system's code.
Result<int32_t> RelaunchCompanion(const settings::ProductSettings& product);

}  // namespace launcher::app
