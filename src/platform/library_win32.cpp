#include "platform/library.h"
#include "platform/windows_api.h"

namespace launcher::platform {

SystemResult<void*> LoadLibraryForever(const WideString& path) {
  HMODULE library = ::LoadLibraryW(path.c_str());
  if (library == nullptr) return win32::LastError();
  return static_cast<void*>(library);
}

SystemResult<void*> LoadRuntimeLibraryForever(const WideString& path) {
  HMODULE library =
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  // Systems without the LOAD_LIBRARY_SEARCH flags refuse them as invalid; the
  // altered search path also looks in the library's folder first.
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (library == nullptr) return win32::LastError();
  return static_cast<void*>(library);
}

SystemResult<void*> LoadSystemLibrary(const WideString& fileName) {
  HMODULE library = ::LoadLibraryExW(fileName.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Systems without the LOAD_LIBRARY_SEARCH flags refuse them: the full path
  // in the system folder then.
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return win32::LastError();
    library = ::LoadLibraryW((WideString(folder, length) + L"\\" + fileName).c_str());
  }
  if (library == nullptr) return win32::LastError();
  return static_cast<void*>(library);
}

SystemResult<void*> FindExport(void* library, const char* name) {
  FARPROC address = ::GetProcAddress(static_cast<HMODULE>(library), name);
  if (address == nullptr) return win32::LastError();
  return reinterpret_cast<void*>(address);
}

LibrarySearchRule ExcludeCurrentFolderFromLibrarySearch() {
  return ::SetDllDirectoryW(L"") ? LibrarySearchRule::NoCurrentFolder : LibrarySearchRule::Unchanged;
}

LibrarySearchRule PutFolderFirstInLibrarySearch(const WideString& folder) {
  return ::SetDllDirectoryW(folder.c_str()) ? LibrarySearchRule::FolderFirst : LibrarySearchRule::Unchanged;
}

WideStringList SystemLibraryFolders() {
  wchar_t system[MAX_PATH], windows[MAX_PATH];
  const UINT systemLength = ::GetSystemDirectoryW(system, MAX_PATH);
  const UINT windowsLength = ::GetWindowsDirectoryW(windows, MAX_PATH);
  if (systemLength == 0 || systemLength >= MAX_PATH || windowsLength == 0 || windowsLength >= MAX_PATH) return {};
  const WideString windowsFolder(windows, windowsLength);
  return {WideString(system, systemLength), windowsFolder + L"\\System", windowsFolder};
}

}  // namespace launcher::platform
