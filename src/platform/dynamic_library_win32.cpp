#include "platform/dynamic_library.h"

#include "platform/windows_api.h"

namespace platform {

void* LoadLibraryForever(const WideString& path) { return ::LoadLibraryW(path.c_str()); }

void* FindExport(void* library, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

}  // namespace platform
