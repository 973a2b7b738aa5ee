#pragma once

#include <string>
#include <vector>

#include "common/trace.h"
#include "platform/wide_string.h"

namespace launcher::jvm {

// A current runtime's JVM library imports libraries that the runtime ships in
// its native folder (on Windows bin\: vcruntime140.dll, msvcp140.dll, the
// api-ms-win-crt-*.dll set), one folder above the JVM library's own. The
// system would not look for them there, and must not take them from anywhere
// else (the current directory). So they are loaded first, each by its full
// path: the JVM library then finds them loaded.

// The imported names that are plain file names of files in the folder (which
// ends in a separator), in import order. The rule holds for any runtime: only
// what the JVM library imports, and only from its own runtime.
WideStringList RuntimeDependencies(const std::vector<std::string>& imported, const WideString& folder);

// Loads the runtime dependencies of a JVM library, and writes each load to the
// trace. A library that does not load is left for the JVM library's own load
// to report.
void LoadRuntimeDependencies(const WideString& jvmLibrary, Trace& trace);

}  // namespace launcher::jvm
