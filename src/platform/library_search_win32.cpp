#include "platform/library_search.h"

#include "platform/windows_api.h"

namespace platform {
namespace {

// Looked up at run time: Windows 7 has these only with update KB2533623, and a
// missing import would keep the launcher from starting at all.
template <typename Function>
Function KernelFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

LibrarySearchRule ExcludeCurrentDirectoryFromLibrarySearch() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  auto setDefault = KernelFunction<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) return LibrarySearchRule::DefaultDirectories;
  if (::SetDllDirectoryW(L"")) return LibrarySearchRule::NoCurrentDirectory;
  return LibrarySearchRule::Unchanged;
}

bool AddLibrarySearchFolder(const WideString& folder) {
  using AddDllDirectoryFunction = DLL_DIRECTORY_COOKIE(WINAPI*)(PCWSTR);
  auto add = KernelFunction<AddDllDirectoryFunction>("AddDllDirectory");
  return add && add(folder.c_str()) != nullptr;
}

}  // namespace platform
