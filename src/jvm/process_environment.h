#pragma once

#include "common/trace.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

namespace launcher::jvm {

// Adapts the launcher's own process environment to the chosen runtime, which
// the JVM and the processes the application starts then see: publishes the
// runtime (QX_JVM_PATH, QX_JVM_HOME) and puts "System Path" and the runtime's
// bin folder on the search path, which the library search follows after the
// system folders (see library_search.h). Returns the native library
// path composed from "Library Path" (expanded before the search path changes),
// or "" when that setting is empty. Every variable set is written to the trace.
WideString ApplyProcessEnvironment(const settings::EnvironmentSettings& settings, const WideString& jvmLibrary,
                                   const WideString& runtimeHome, const WideString& executableFolder,
                                   Trace& trace = NoTrace());

// What the library search of the process is made of once the runtime's native
// folder is put first.
struct LibrarySearchInputs {
  const WideString& executableFolder;
  const WideString& runtimeNativeFolder;  // bin on Windows
  const WideStringList& systemFolders;    // in the system's order
  const WideString& searchPath;           // the search path variable's value
};

// The folders where a library loaded by name, or imported by any library, is
// looked for, in order: the executable's folder, the runtime's native folder,
// the system's folders, then the search path's folders; never the current
// directory. So the runtime's own C runtime and class-library DLLs win over
// older copies in the system folder and over any that a folder on the search
// path holds, as under the runtime's own java program, whose folder that is.
WideStringList RuntimeLibrarySearchOrder(const LibrarySearchInputs& inputs);

// Puts the chosen runtime's native folder (the folder above the JVM library's)
// first in the library search of this process and of the processes it starts,
// before the runtime's splash library and the JVM library load, and writes the
// rule and the order to the trace.
void PutRuntimeFirstInLibrarySearch(const WideString& jvmLibrary, const WideString& executableFolder, Trace& trace);

}  // namespace launcher::jvm
