#pragma once

#include <cstdint>

#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::platform {

// Where a Java runtime keeps its files, relative to its home folder (which ends
// in a path separator).

// The places of the JVM library of one VM folder ("client", "server", ...), in
// the order they are tried.
WideStringList JvmLibrarySubPaths(const WideString& vmFolder);

// Files whose presence marks a folder as a Java runtime (any one suffices).
WideStringList JavaLibraryMarkers();

// The machine this launcher is built for, as a PE header (Windows) and an ELF
// header (Linux) name it: a JVM library of another machine cannot be loaded.
extern const uint16_t kOwnPeMachine;
extern const uint16_t kOwnElfMachine;

// The compiler that only a JDK holds.
extern const wchar_t* const kCompilerFile;

// The environment variable that names a runtime when nothing installed
// qualifies; "" where the system has no such custom (Windows: installed
// runtimes register themselves).
extern const wchar_t* const kRuntimeHomeVariable;

// The runtime folder inside a JDK, and the private runtime folder beside the
// launcher; both end in a path separator.
extern const wchar_t* const kJdkRuntimeFolder;
extern const wchar_t* const kPrivateRuntimeFolder;

// The runtime's own splash screen library, kept in the folder above the one
// that holds the JVM library (bin\ on Windows, lib/ on POSIX).
extern const wchar_t* const kSplashLibraryName;

// Whether the JVM library's own dependencies in the runtime's native folder
// must be loaded before it: the Windows loader does not look in that folder,
// while POSIX runtimes find theirs through the library's run path.
extern const bool kPreloadRuntimeDependencies;

// The runtime's command-line program, relative to its home folder.
extern const wchar_t* const kJavaProgram;

// The value of KEY in the text of a runtime's "release" file: the first line
// KEY=value or KEY="value" (white space around the key and the value and one
// pair of double quotes removed), decoded from UTF-8. nullopt when no line
// names KEY.
std::optional<WideString> ReleaseFileValue(std::string_view text, std::string_view key);

// The start of the "release" file of the runtime whose home folder is given:
// a release file holds a few hundred bytes, and whatever stands in its place
// must neither block nor fill the memory. Empty when there is none.
std::string ReadReleaseFile(const WideString& home);

}  // namespace launcher::platform
