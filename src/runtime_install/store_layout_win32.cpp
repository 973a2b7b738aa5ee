#include "runtime_install/store_layout.h"

namespace runtime_install {

const wchar_t* const kStoreFolderName = L"Runtimes";

}  // namespace runtime_install
