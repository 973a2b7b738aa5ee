#include "ui/runtime_splash_library.h"

#include "platform/files.h"
#include "platform/paths.h"

namespace launcher::ui {

WideString FindRuntimeSplashLibrary(const WideString& jvmLibrary, const WideString& fileName) {
  const WideString folder = platform::ParentOf(platform::ParentOf(jvmLibrary));
  if (folder.empty()) return L"";
  WideString library = platform::WithTrailingSeparator(folder) + fileName;
  return platform::FileExists(library) ? library : L"";
}

}  // namespace launcher::ui
