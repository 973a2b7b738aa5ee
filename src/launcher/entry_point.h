#pragma once

#include <cstdint>

#include "launcher/host.h"

// The program: constructs the launcher, prepares the main thread, runs
// Initialize, Run and Cleanup, and returns the process exit code.
int32_t RunLauncher(Host& host);
