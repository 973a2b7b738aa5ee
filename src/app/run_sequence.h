#pragma once

#include <cstdint>

#include "app/host.h"
#include "platform/process.h"

namespace launcher::app {

// A start of the launcher with the process's command line: prepares the
// process, then runs top-down (settings, runtime, environment, JVM, main) and
// returns the process exit code: 0 after main returned (a console launcher: 1
// when main left an uncaught exception), -1 after a failure (told to the user
// once).
int32_t RunLauncher(Host& host, const platform::ProcessCommandLine& commandLine);

}  // namespace launcher::app
