#pragma once

#include "platform/wide_string.h"
#include "ui/win32/splash_picture.h"
#include "ui/win32/window_object.h"

namespace launcher::ui::win32 {

// The launcher's own splash window: a borderless pop-up without a taskbar
// button, exactly the size of the picture, centred on the primary screen,
// showing the picture and nothing else. The thread that creates it owns it,
// pumps its messages and destroys it.
class SplashWindow final : public WindowObject {
 public:
  // Makes the window, hidden, on the calling thread; null when it cannot be
  // made. A picture that cannot be read gives a window of no size.
  HWND Create(const WideString& picture, bool shadow);

 protected:
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  SplashBitmap picture_;
};

}  // namespace launcher::ui::win32
