#include "platform/dynamic_library.h"

#include "platform/windows_api.h"

namespace platform {

void* LoadLibraryForever(const WideString& path, uint32_t& error) {
  HMODULE library = ::LoadLibraryW(path.c_str());
  error = library == nullptr ? ::GetLastError() : 0;
  return library;
}

void* FindExport(void* library, const char* name, uint32_t& error) {
  FARPROC address = ::GetProcAddress(static_cast<HMODULE>(library), name);
  error = address == nullptr ? ::GetLastError() : 0;
  return reinterpret_cast<void*>(address);
}

}  // namespace platform
