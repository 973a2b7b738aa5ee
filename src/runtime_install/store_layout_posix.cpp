#include "runtime_install/store_layout.h"

namespace launcher::runtime_install {

const wchar_t* const kStoreFolderName = L"runtimes";

}  // namespace launcher::runtime_install
