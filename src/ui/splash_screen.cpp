#include "ui/splash_screen.h"

#include "platform/runtime_layout.h"
#include "ui/runtime_splash_library.h"

SplashScreen::SplashScreen(const SplashSettings& settings, const WideString& jvmLibrary, SplashMode mode, Trace& trace)
    : settings_(settings), jvmLibrary_(jvmLibrary), mode_(mode), trace_(trace) {
  if (mode_ == SplashMode::Shown && RuntimeSplashLibrary().empty()) ShowOwnWindow();
}

SplashScreen::~SplashScreen() {
  CloseWindow();
  CloseNative();
}

WideString SplashScreen::RuntimeSplashLibrary() const {
  if (settings_.picture.empty()) return L"";
  const WideString library = FindRuntimeSplashLibrary(jvmLibrary_, platform::kSplashLibraryName);
  const bool nativeFirst = !library.empty() && (settings_.preferNative || !SplashWindowThread::Available());
  return nativeFirst ? library : L"";
}

void SplashScreen::ShowOwnWindow() {
  if (settings_.picture.empty() || !SplashWindowThread::Available()) return;
  window_ = SplashWindowThread::Start(settings_.picture, settings_.shadow);
}

void SplashScreen::LibraryLoaded() {
  const WideString library = mode_ == SplashMode::Shown ? RuntimeSplashLibrary() : L"";
  if (!library.empty()) {
    nativeStarted_ = native_.Start(library, settings_.picture);
    if (!nativeStarted_) ShowOwnWindow();
  }
  TraceLine(trace_, "splash").Word("shown-by", ShownBy()).Write();
}

const char* SplashScreen::ShownBy() const {
  if (nativeStarted_) return "runtime-library";
  return window_ ? "own-window" : "none";
}

void SplashScreen::MainEnded() { CloseWindow(); }

void SplashScreen::JvmThreadEnded(ApplicationEnd end) {
  if (end == ApplicationEnd::Failed) CloseNative();
  CloseWindow();
}

void SplashScreen::JvmDestroyed() { CloseNative(); }

WindowHandle SplashScreen::Window() const { return window_ ? window_->Window() : nullptr; }

void SplashScreen::CloseWindow() { window_.reset(); }

void SplashScreen::CloseNative() { native_.Close(); }
