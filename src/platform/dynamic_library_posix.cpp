#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>

#include "platform/unicode.h"

namespace platform {

void* LoadLibraryForever(const WideString& path) {
  errno = 0;
  void* library = dlopen(ToUtf8(path).c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (library == nullptr) {
    // dlopen tells why only in words; they go to standard error beside the message.
    if (const char* reason = dlerror()) std::fprintf(stderr, "%s\n", reason);
    if (errno == 0) errno = ENOENT;
  }
  return library;
}

void* FindExport(void* library, const char* name) { return dlsym(library, name); }

}  // namespace platform
