#include "runtime_install/store_layout.h"

namespace launcher::runtime_install {

const wchar_t* const kStoreFolderName = L"Runtimes";

}  // namespace launcher::runtime_install
