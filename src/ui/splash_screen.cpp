#include "ui/splash_screen.h"

#include "platform/runtime_layout.h"
#include "ui/runtime_splash_library.h"

SplashScreen::~SplashScreen() {
  CloseWindow();
  CloseNative();
}

// The runtime's splash library when it is to show the picture, else "".
WideString SplashScreen::RuntimeSplashLibrary(const SplashSettings& settings, const WideString& jvmLibrary) {
  if (settings.picture.empty()) return L"";
  const WideString library = FindRuntimeSplashLibrary(jvmLibrary, platform::kSplashLibraryName);
  const bool nativeFirst = !library.empty() && (settings.preferNative || !SplashWindowThread::Available());
  return nativeFirst ? library : L"";
}

void SplashScreen::ShowOwnWindow(const SplashSettings& settings, const WideString& jvmLibrary) {
  if (settings.picture.empty() || !RuntimeSplashLibrary(settings, jvmLibrary).empty()) return;
  if (SplashWindowThread::Available()) window_ = SplashWindowThread::Start(settings.picture, settings.shadow);
}

void SplashScreen::ShowRuntimeSplash(const SplashSettings& settings, const WideString& jvmLibrary) {
  const WideString library = RuntimeSplashLibrary(settings, jvmLibrary);
  if (!library.empty()) nativeStarted_ = native_.Start(library, settings.picture);
  if (library.empty() || nativeStarted_) return;
  if (SplashWindowThread::Available()) window_ = SplashWindowThread::Start(settings.picture, settings.shadow);
}

SplashSource SplashScreen::Source() const {
  if (nativeStarted_) return SplashSource::RuntimeLibrary;
  return window_ ? SplashSource::OwnWindow : SplashSource::None;
}

WindowHandle SplashScreen::Window() const { return window_ ? window_->Window() : nullptr; }

void SplashScreen::CloseWindow() { window_.reset(); }

void SplashScreen::CloseNative() { native_.Close(); }
