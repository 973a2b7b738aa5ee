#pragma once

#include "common/trace.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

// Adapts the launcher's own process environment to the chosen runtime, which
// the JVM and the processes the application starts then see: publishes the
// runtime (QX_JVM_PATH, QX_JVM_HOME) and puts "System Path" and the runtime's
// bin folder on the search path, which the library search follows after the
// system folders (see library_search.h). Returns the native library
// path composed from "Library Path" (expanded before the search path changes),
// or "" when that setting is empty. Every variable set is written to the trace.
WideString ApplyProcessEnvironment(const EnvironmentSettings& settings, const WideString& jvmLibrary,
                                   const WideString& runtimeHome, const WideString& executableFolder,
                                   Trace& trace = NoTrace());
