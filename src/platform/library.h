#pragma once

#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher::platform {

// Libraries loaded into the process for the rest of its life: they are never
// unloaded.

// Loads a library by its path.
SystemResult<void*> LoadLibraryForever(const WideString& path);

// Loads, by its full path, a library that a runtime's JVM library imports from
// the runtime's own folder; the libraries it imports in turn are looked for in
// its folder first.
SystemResult<void*> LoadRuntimeLibraryForever(const WideString& path);

// The address of an exported function.
SystemResult<void*> FindExport(void* library, const char* name);

// Loads a library of the system by file name: on Windows from the system
// folder only (never from beside the executable or the current folder), on
// POSIX where the dynamic loader finds it, its symbols kept to itself. For the
// libraries only some starts need (the shell's dialogs, a download).
SystemResult<void*> LoadSystemLibrary(const WideString& fileName);

// Binds a function pointer to the export of that name; false when the library
// (null when it could not be loaded) has none.
template <typename Function>
bool BindExport(void* library, const char* name, Function& function) {
  if (library == nullptr) return false;
  const SystemResult<void*> address = FindExport(library, name);
  function = address ? reinterpret_cast<Function>(*address) : nullptr;
  return function != nullptr;
}

// How the process's search for libraries loaded by name (and for the libraries
// they import) was made to leave out the current directory.
enum class LibrarySearchRule {
  NoCurrentFolder,  // SetDllDirectoryW(""): the standard order less the current directory
  NeverCurrent,     // dlopen never looks in the current directory: nothing to do
  Unchanged,        // the system refused
  FolderFirst,      // SetDllDirectoryW(folder): that folder in the place of the current directory
};

// Takes the current directory out of the library search for the rest of the
// process; called at start-up, before any library is loaded by name. The rest
// of the standard order stays as the runtime's own launcher has it: the
// executable's folder, the system folders, then the search path's folders in
// their order, so that the application's native libraries (and the libraries
// beside them on the search path) load as they would there. A list of added
// folders (SetDefaultDllDirectories, AddDllDirectory) is not used: its folders
// would come before the system folder, in no defined order.
LibrarySearchRule ExcludeCurrentFolderFromLibrarySearch();

// Makes the folder the one searched right after the executable's folder, ahead
// of the system folders and in the place of the current directory (which stays
// out), for libraries loaded by name and the imports of every library, for the
// rest of the process; the processes it starts inherit it. POSIX loaders have
// no such folder: a runtime's libraries find theirs through their run path.
LibrarySearchRule PutFolderFirstInLibrarySearch(const WideString& folder);

// The system's own folders in the order the library search takes them after
// that folder (Windows: System32, System, the Windows folder); none on POSIX.
WideStringList SystemLibraryFolders();

}  // namespace launcher::platform
