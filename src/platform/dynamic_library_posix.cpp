#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>

#include "platform/unicode.h"

namespace platform {

void* LoadLibraryForever(const WideString& path, uint32_t& error) {
  errno = 0;
  void* library = dlopen(ToUtf8(path).c_str(), RTLD_NOW | RTLD_GLOBAL);
  error = 0;
  if (library == nullptr) {
    // dlopen tells why only in words; they go to standard error beside the message.
    if (const char* reason = dlerror()) std::fprintf(stderr, "%s\n", reason);
    error = errno != 0 ? static_cast<uint32_t>(errno) : ENOENT;
  }
  return library;
}

void* LoadRuntimeLibraryForever(const WideString& path, uint32_t& error) { return LoadLibraryForever(path, error); }

SystemResult<void*> LoadSystemLibrary(const WideString& fileName) {
  void* library = dlopen(ToUtf8(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return SystemError{ELIBACC};
  return library;
}

void* ExportAddress(void* library, const char* name) { return dlsym(library, name); }

void* FindExport(void* library, const char* name, uint32_t& error) {
  dlerror();
  void* address = dlsym(library, name);
  error = 0;
  if (address == nullptr) {
    // As for dlopen: the loader's words go to standard error beside the message,
    // whose code is ENOENT rather than whatever errno an earlier call left.
    if (const char* reason = dlerror()) std::fprintf(stderr, "%s\n", reason);
    error = ENOENT;
  }
  return address;
}

}  // namespace platform
