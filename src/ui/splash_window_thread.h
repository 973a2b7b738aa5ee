#pragma once

#include <memory>

#include "platform/wide_string.h"
#include "ui/user_interface.h"

namespace launcher::ui {

// The launcher's own splash window, made, shown, pumped and destroyed on a
// thread of its own so that the start never waits for it. Windows has one;
// on POSIX the runtime's splash library is the only splash.
class SplashWindowThread {
 public:
  // Whether this system has a splash window of the launcher's own.
  static bool Available();

  // Starts the thread, which shows the picture in a window of its size
  // centred on the primary screen (with a drop shadow when asked); a picture
  // that cannot be read gives an empty window. nullptr when the system has no
  // such window or the thread cannot be made.
  static std::unique_ptr<SplashWindowThread> Start(const WideString& picture, bool shadow);

  // Ends the thread, which destroys the window.
  virtual ~SplashWindowThread() = default;

  // The window once the thread has made it; null before and after.
  virtual WindowHandle Window() const = 0;
};

}  // namespace launcher::ui
