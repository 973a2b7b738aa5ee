#include "ui/splash_window_thread.h"

namespace launcher::ui {

// The runtime's splash library is the splash on POSIX: the launcher has no
// window toolkit of its own there.
bool SplashWindowThread::Available() { return false; }

std::unique_ptr<SplashWindowThread> SplashWindowThread::Start(const WideString&, bool) { return nullptr; }

}  // namespace launcher::ui
