#include "platform/library_search.h"

#include "platform/windows_api.h"

namespace platform {

LibrarySearchRule ExcludeCurrentDirectoryFromLibrarySearch() {
  return ::SetDllDirectoryW(L"") ? LibrarySearchRule::NoCurrentDirectory : LibrarySearchRule::Unchanged;
}

}  // namespace platform
