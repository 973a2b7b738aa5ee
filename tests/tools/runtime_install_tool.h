#pragma once

#include "platform/wide_string.h"

// The runtime install library from the command line, for the scenarios and the
// benchmark (see README.md). arguments leave out the program's name; the
// exit code is the tool's.
int RunRuntimeInstallTool(const launcher::WideStringList& arguments);
