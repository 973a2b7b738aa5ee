#pragma once

#include "platform/wide_string.h"

namespace platform {

// How the process's search for libraries loaded by name (and for the libraries
// they import) was made to leave out the current directory.
enum class LibrarySearchRule {
  NoCurrentDirectory,  // SetDllDirectoryW(""): the standard order less the current directory
  NeverCurrent,        // dlopen never looks in the current directory: nothing to do
  Unchanged,           // the system refused
};

// Takes the current directory out of the library search for the rest of the
// process; called at start-up, before any library is loaded by name. The rest
// of the standard order stays as the runtime's own launcher has it: the
// executable's folder, the system folders, then the search path's folders in
// their order, so that the application's native libraries (and the libraries
// beside them on the search path) load as they would there. A list of added
// folders (SetDefaultDllDirectories, AddDllDirectory) is not used: its folders
// would come before the system folder, in no defined order.
LibrarySearchRule ExcludeCurrentDirectoryFromLibrarySearch();

}  // namespace platform
