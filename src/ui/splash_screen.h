#pragma once

#include <memory>

#include "platform/wide_string.h"
#include "settings/launcher_settings.h"
#include "ui/native_splash.h"
#include "ui/splash_window_thread.h"
#include "ui/user_interface.h"

// What shows the splash picture.
enum class SplashSource { None, OwnWindow, RuntimeLibrary };

// The splash picture of one start, shown while the JVM loads and the
// application's main begins: through the runtime's own splash library when
// the settings prefer it (always on a system without a window of the
// launcher's own), otherwise in the launcher's own window. The owner closes
// what is still open when it goes: its own window first, then the runtime's.
class SplashScreen {
 public:
  SplashScreen() = default;
  ~SplashScreen();
  SplashScreen(const SplashScreen&) = delete;
  SplashScreen& operator=(const SplashScreen&) = delete;

  // The picture that the settings name, if any, for the runtime of that JVM
  // library, in two steps around the library's load: the launcher's own window
  // before (unless the runtime's splash is to show it), the runtime's splash
  // after, since it imports the JVM library (the launcher's own window when
  // it fails). Nothing that goes wrong here stops the start: the splash is
  // then missing or empty.
  void ShowOwnWindow(const SplashSettings& settings, const WideString& jvmLibrary);
  void ShowRuntimeSplash(const SplashSettings& settings, const WideString& jvmLibrary);

  // What was asked to show the picture: the runtime's library (the picture may
  // still fail to load there) or the launcher's own window.
  SplashSource Source() const;

  // The launcher's own splash window while it is up, as the owner of message
  // boxes so that they show in front of it; null otherwise.
  WindowHandle Window() const;

  // Ends the launcher's own splash window; a second call does nothing. May be
  // called on another thread than Show while the showing thread waits.
  void CloseWindow();

  // Tells the runtime's splash library to close; a second call does nothing.
  void CloseNative();

 private:
  static WideString RuntimeSplashLibrary(const SplashSettings& settings, const WideString& jvmLibrary);

  NativeSplash native_;
  bool nativeStarted_ = false;
  std::unique_ptr<SplashWindowThread> window_;
};
