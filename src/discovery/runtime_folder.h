#pragma once

#include "platform/wide_string.h"
#include "settings/jvm_type_mode.h"

namespace launcher::discovery {

// A Java runtime is a folder; these find its JVM library.

// The JVM library of a runtime home (ending in a path separator), searched in
// the VM folders of the mode's order; "" when none is there. server tells,
// when one is found, whether it is the "server" library.
WideString LocateJvmLibrary(const WideString& home, settings::JvmTypeMode mode, bool& server);

// Whether a folder (ending in a path separator) exists: a registration whose
// folder is gone is stale.
bool FolderExists(const WideString& folder);

// Whether a folder (ending in a path separator) holds the runtime's Java library.
bool HasJavaLibrary(const WideString& folder);

// A runtime placed with the launcher (whose folder ends in a path separator):
// the launcher's own folder when it holds the Java library, else its private
// runtime subfolder when that does, else "".
WideString FindPrivateRuntime(const WideString& launcherFolder);

// The runtime home of a JVM library path, without a trailing separator.
WideString RuntimeHomeOf(const WideString& jvmLibraryPath);

}  // namespace launcher::discovery
