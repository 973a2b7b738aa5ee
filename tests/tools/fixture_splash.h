#pragma once

#include <optional>
#include <string>

#include "platform/windows_api.h"

namespace window_fixture {

struct SplashOptions {
  std::wstring className;
  COLORREF colour = 0;
  SIZE size{};                             // of the window when no picture is given
  std::optional<std::wstring> bitmapPath;  // a BMP file shown at its own size
  std::optional<POINT> at;                 // the top-left corner; centred on the work area when not given
  std::optional<std::wstring> messageBoxText;
};

// A top-level popup window of the class, filled with the colour or the
// picture. It reports "splash hwnd=0x.. rect=L,T,R,B work-area=L,T,R,B
// screen=W,H" once it is shown. With a
// message box text it then shows a message box owned by it, reports
// "message-box result=N" when the box has been answered, and ends; without, it
// runs until it is closed.
int RunSplash(const SplashOptions& options);

}  // namespace window_fixture
