#include "ui/native_splash.h"

#include <string>
#include <utility>

#include "platform/library.h"
#include "platform/text.h"

namespace launcher::ui {

namespace {

using InitFunction = void (*)();
using LoadFileFunction = int (*)(const char* file);
using SetFileJarNameFunction = void (*)(const char* file, const char* jar);

// A missing export is no address: the splash needs all of them.
template <typename Function>
Function Export(void* library, const char* name) {
  return reinterpret_cast<Function>(platform::FindExport(library, name).value_or(nullptr));
}

}  // namespace

bool NativeSplash::Start(const WideString& library, const WideString& picture) {
  const platform::SystemResult<void*> splash = platform::LoadLibraryForever(library);
  if (!splash) return false;
  close_ = Export<CloseFunction>(*splash, "SplashClose");
  const auto init = Export<InitFunction>(*splash, "SplashInit");
  const auto loadFile = Export<LoadFileFunction>(*splash, "SplashLoadFile");
  const auto setFileJarName = Export<SetFileJarNameFunction>(*splash, "SplashSetFileJarName");
  if (init == nullptr || loadFile == nullptr || setFileJarName == nullptr) return false;
  const std::string file = platform::ToAnsi(picture);
  // What the library makes of the picture is its own business: its results are not looked at.
  init();
  loadFile(file.c_str());
  setFileJarName(file.c_str(), "");
  return true;
}

void NativeSplash::Close() {
  if (CloseFunction close = std::exchange(close_, nullptr)) close();
}

}  // namespace launcher::ui
