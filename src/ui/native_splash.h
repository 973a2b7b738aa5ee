#pragma once

#include "platform/wide_string.h"

namespace launcher::ui {

// The runtime's own splash screen library showing the picture. The library,
// once loaded, stays for the rest of the process: the application may use the
// splash it shows through the runtime.
class NativeSplash {
 public:
  NativeSplash() = default;
  NativeSplash(const NativeSplash&) = delete;
  NativeSplash& operator=(const NativeSplash&) = delete;

  // Loads the library and asks it to show the picture (SplashInit, then
  // SplashLoadFile and SplashSetFileJarName with the path in 8-bit text).
  // The library imports the runtime's JVM library, which must be loaded
  // already (by its full path, with the runtime's own DLLs), so that the
  // system takes that one. False when the library does not load or lacks one
  // of the three entry points; its SplashClose, when it has one, is kept all
  // the same.
  bool Start(const WideString& library, const WideString& picture);

  // SplashClose, if kept; a second call does nothing.
  void Close();

 private:
  using CloseFunction = void (*)();

  CloseFunction close_ = nullptr;
};

}  // namespace launcher::ui
