#include "ui/win32/system_library.h"

namespace ui::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE library = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Windows 7 without its loader update knows no such flag; the libraries
  // asked for are known DLLs there, which come from the system folder
  // whatever the search order.
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) library = ::LoadLibraryW(name);
  return library;
}

}  // namespace ui::win32
