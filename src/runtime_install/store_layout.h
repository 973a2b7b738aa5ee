#pragma once

#include "platform/wide_string.h"

namespace launcher::runtime_install {

// The name of the store's own folder under the product's data folder:
// "Runtimes" on Windows, "runtimes" on POSIX, as each system names its folders.
extern const wchar_t* const kStoreFolderName;

}  // namespace launcher::runtime_install
