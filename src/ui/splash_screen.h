#pragma once

#include <memory>
#include <optional>

#include "common/application_end.h"
#include "common/jvm_path.h"
#include "common/trace.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"
#include "ui/native_splash.h"
#include "ui/splash_window_thread.h"
#include "ui/user_interface.h"

namespace launcher::ui {

// Whether a start shows its splash picture at all.
enum class SplashMode { Shown, Suppressed };

// The splash picture of one start, shown while the JVM loads and the
// application's main begins: through the runtime's own splash library when
// the settings prefer it (always on a system without a window of the
// launcher's own), otherwise in the launcher's own window. Owned by the run
// sequence, which tells it the moments of the run; what is still open when it
// goes is closed then: its own window first, then the runtime's splash.
// Nothing that goes wrong with it stops the start: the splash is then missing
// or empty.
class SplashScreen {
 public:
  // The picture that the settings name, if any, for the runtime of that JVM
  // library. The launcher's own window shows at once, unless the runtime's
  // splash is to show the picture: that one imports the JVM library and waits
  // for LibraryLoaded. Suppressed, nothing shows.
  SplashScreen(const settings::SplashSettings& settings, const WideString& jvmLibrary, SplashMode mode, Trace& trace);
  ~SplashScreen();
  SplashScreen(const SplashScreen&) = delete;
  SplashScreen& operator=(const SplashScreen&) = delete;

  // The JVM library is loaded, with the runtime's own DLLs: the runtime's
  // splash shows the picture now (the launcher's own window when it fails).
  // Its library imports the JVM library, which, loaded by that import, would
  // take its own imports from wherever the system looks. What shows the
  // picture goes to the trace.
  void LibraryLoaded();

  // On the JVM thread: main has returned or thrown. The launcher's own window
  // goes now, before an uncaught exception is reported, and also when the
  // thread then never ends (IBM runtimes).
  void MainEnded();

  // The JVM thread has ended: the launcher's own window goes; after a failed
  // run the runtime's splash too, which no application uses.
  void JvmThreadEnded(ApplicationEnd end);

  // The JVM is destroyed: the runtime's splash, which the application's
  // threads may have used until now, goes.
  void JvmDestroyed();

  // The launcher's own splash window while it is up, as the owner of message
  // boxes so that they show in front of it; null otherwise.
  WindowHandle Window() const;

 private:
  // The runtime's splash library when it is to show the picture, else "".
  WideString RuntimeSplashLibrary() const;
  void ShowOwnWindow();
  // What was asked to show the picture, as the trace names it.
  const char* ShownBy() const;
  // A second call of either does nothing. CloseWindow may be called on
  // another thread than the one that showed it while that one waits.
  void CloseWindow();
  void CloseNative();

  const settings::SplashSettings settings_;
  const WideString jvmLibrary_;
  const SplashMode mode_;
  Trace& trace_;
  // The picture in the form the runtime's library can open; nullopt when it has
  // none, and the launcher's own window shows it instead.
  const std::optional<JvmPath> nativePicture_;
  NativeSplash native_;
  bool nativeStarted_ = false;
  std::unique_ptr<SplashWindowThread> window_;
};

}  // namespace launcher::ui
