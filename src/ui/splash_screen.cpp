#include "ui/splash_screen.h"

#include "platform/runtime_layout.h"
#include "ui/runtime_splash_library.h"

SplashScreen::~SplashScreen() {
  CloseWindow();
  CloseNative();
}

void SplashScreen::Show(const SplashSettings& settings, const WideString& jvmLibrary) {
  if (settings.picture.empty()) return;
  const WideString library = FindRuntimeSplashLibrary(jvmLibrary, platform::kSplashLibraryName);
  const bool ownWindow = SplashWindowThread::Available();
  const bool nativeFirst = !library.empty() && (settings.preferNative || !ownWindow);
  if (nativeFirst && native_.Start(library, jvmLibrary, settings.picture)) return;
  if (ownWindow) window_ = SplashWindowThread::Start(settings.picture, settings.shadow);
}

WindowHandle SplashScreen::Window() const { return window_ ? window_->Window() : nullptr; }

void SplashScreen::CloseWindow() { window_.reset(); }

void SplashScreen::CloseNative() { native_.Close(); }
