#include "ui/splash_screen.h"

#include "common/jvm_path.h"
#include "platform/files.h"
#include "platform/runtime_layout.h"
#include "ui/runtime_splash_library.h"

namespace launcher::ui {

namespace {

// The picture as the runtime's splash library, which takes it in 8-bit text,
// can open it; nullopt when there is no such form.
std::optional<JvmPath> PictureForRuntimeLibrary(const WideString& picture, SplashMode mode, Trace& trace) {
  if (picture.empty() || mode == SplashMode::Suppressed) return std::nullopt;
  Result<JvmPath> carried = JvmPathOf(picture, &platform::ShortPathForm, trace);
  if (!carried) return std::nullopt;
  return *carried;
}

}  // namespace

SplashScreen::SplashScreen(const settings::SplashSettings& settings, const WideString& jvmLibrary, SplashMode mode,
                           Trace& trace)
    : settings_(settings),
      jvmLibrary_(jvmLibrary),
      mode_(mode),
      trace_(trace),
      nativePicture_(PictureForRuntimeLibrary(settings.picture, mode, trace)) {
  if (mode_ == SplashMode::Shown && RuntimeSplashLibrary().empty()) ShowOwnWindow();
}

SplashScreen::~SplashScreen() {
  CloseWindow();
  CloseNative();
}

WideString SplashScreen::RuntimeSplashLibrary() const {
  if (!nativePicture_) return L"";
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
    nativeStarted_ = native_.Start(library, nativePicture_->path);
    if (!nativeStarted_) ShowOwnWindow();
  }
  TraceLine line(trace_, "splash");
  line.Word("shown-by", ShownBy());
  // The runtime's library cannot be given the picture's path (jvm-path tells
  // why): the launcher's own window shows it.
  if (mode_ == SplashMode::Shown && !settings_.picture.empty() && !nativePicture_)
    line.Flag("picture-for-runtime-library", false);
  line.Write();
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

}  // namespace launcher::ui
