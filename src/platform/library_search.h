#pragma once

#include "platform/wide_string.h"

namespace platform {

// How the process's search for libraries loaded by name (and for the libraries
// they import) was made to leave out the current directory.
enum class LibrarySearchRule {
  DefaultDirectories,  // SetDefaultDllDirectories: the executable's folder, System32 and the folders added
  NoCurrentDirectory,  // SetDllDirectoryW(""): the standard order less the current directory (a system
                       // without SetDefaultDllDirectories)
  NeverCurrent,        // dlopen never looks in the current directory: nothing to do
  Unchanged,           // the system refused both
};

// Takes the current directory out of the library search for the rest of the
// process; called at start-up, before any library is loaded by name.
LibrarySearchRule ExcludeCurrentDirectoryFromLibrarySearch();

// Adds a folder (a full path) to the library search where the system keeps
// such a list (under DefaultDirectories); false when it was not added.
bool AddLibrarySearchFolder(const WideString& folder);

}  // namespace platform
