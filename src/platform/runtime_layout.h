#pragma once

#include "platform/wide_string.h"

namespace platform {

// Where a Java runtime keeps its files, relative to its home folder (which ends
// in a path separator).

// The places of the JVM library of one VM folder ("client", "server", ...), in
// the order they are tried.
WideStringList JvmLibrarySubPaths(const WideString& vmFolder);

// Files whose presence marks a folder as a Java runtime (any one suffices).
WideStringList JavaLibraryMarkers();

// The runtime folder inside a JDK, and the private runtime folder beside the
// launcher; both end in a path separator.
extern const wchar_t* const kJdkRuntimeFolder;
extern const wchar_t* const kPrivateRuntimeFolder;

// The runtime's command-line program, relative to its home folder.
extern const wchar_t* const kJavaProgram;

}  // namespace platform
