#include <dlfcn.h>

#include <cerrno>
#include <cstdio>

#include "platform/library.h"
#include "platform/text.h"

namespace launcher::platform {

SystemResult<void*> LoadLibraryForever(const WideString& path) {
  errno = 0;
  void* library = ::dlopen(ToUtf8(path).c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (library != nullptr) return library;
  // dlerror leaves the loader's own reason in errno (EISDIR for a folder);
  // right after dlopen it may hold another step's ENOENT.
  const char* reason = ::dlerror();
  const int error = errno;
  if (reason != nullptr) std::fprintf(stderr, "%s\n", reason);
  return SystemError{static_cast<uint32_t>(error != 0 ? error : ENOENT)};
}

SystemResult<void*> LoadRuntimeLibraryForever(const WideString& path) { return LoadLibraryForever(path); }

// The loader tells why only in words; they go to standard error beside the
// message, whose code is ENOENT rather than whatever errno an earlier call left.
SystemResult<void*> FindExport(void* library, const char* name) {
  ::dlerror();
  void* address = ::dlsym(library, name);
  if (address != nullptr) return address;
  if (const char* reason = ::dlerror()) std::fprintf(stderr, "%s\n", reason);
  return SystemError{ENOENT};
}

SystemResult<void*> LoadSystemLibrary(const WideString& fileName) {
  void* library = ::dlopen(ToUtf8(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return SystemError{ELIBACC};
  return library;
}

LibrarySearchRule ExcludeCurrentFolderFromLibrarySearch() { return LibrarySearchRule::NeverCurrent; }

LibrarySearchRule PutFolderFirstInLibrarySearch(const WideString&) { return LibrarySearchRule::NeverCurrent; }

WideStringList SystemLibraryFolders() { return {}; }

}  // namespace launcher::platform
