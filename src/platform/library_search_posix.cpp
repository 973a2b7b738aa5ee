#include "platform/library_search.h"

namespace platform {

LibrarySearchRule ExcludeCurrentDirectoryFromLibrarySearch() { return LibrarySearchRule::NeverCurrent; }

}  // namespace platform
