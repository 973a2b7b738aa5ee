#include "platform/dynamic_library.h"

#include "platform/windows_api.h"

namespace platform {

void* LoadLibraryForever(const WideString& path, uint32_t& error) {
  HMODULE library = ::LoadLibraryW(path.c_str());
  error = library == nullptr ? ::GetLastError() : 0;
  return library;
}

void* LoadRuntimeLibraryForever(const WideString& path, uint32_t& error) {
  HMODULE library =
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  // Systems without the LOAD_LIBRARY_SEARCH flags refuse them as invalid; the
  // altered search path also looks in the library's folder first.
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  error = library == nullptr ? ::GetLastError() : 0;
  return library;
}

SystemResult<void*> LoadSystemLibrary(const WideString& fileName) {
  HMODULE library = ::LoadLibraryExW(fileName.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Systems without the LOAD_LIBRARY_SEARCH flags refuse them: the full path
  // in the system folder then.
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SystemError{::GetLastError()};
    library = ::LoadLibraryW((WideString(folder, length) + L"\\" + fileName).c_str());
  }
  if (library == nullptr) return SystemError{::GetLastError()};
  return static_cast<void*>(library);
}

void* ExportAddress(void* library, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void* FindExport(void* library, const char* name, uint32_t& error) {
  FARPROC address = ::GetProcAddress(static_cast<HMODULE>(library), name);
  error = address == nullptr ? ::GetLastError() : 0;
  return reinterpret_cast<void*>(address);
}

}  // namespace platform
