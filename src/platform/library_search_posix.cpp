#include "platform/library_search.h"

namespace platform {

LibrarySearchRule ExcludeCurrentDirectoryFromLibrarySearch() { return LibrarySearchRule::NeverCurrent; }

bool AddLibrarySearchFolder(const WideString&) { return false; }

}  // namespace platform
