#pragma once

#include <cstdint>

#include "app/host.h"
#include "platform/process.h"

namespace launcher::app {

// What this process is, chosen once at the entry point: a start of the
// launcher with the command line the entry point was given, or a copy of it
// that the launcher started in the background to build the start-up cache
// after the application ended. The exit code.
int32_t RunProgram(Host& host, const platform::ProcessCommandLine& commandLine);

}  // namespace launcher::app
