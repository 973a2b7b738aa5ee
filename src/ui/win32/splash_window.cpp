#include "ui/win32/splash_window.h"

#include <mutex>

#include "ui/splash_geometry.h"
#include "ui/win32/gdi_selection.h"

namespace launcher::ui::win32 {
namespace {

const wchar_t kClassName[] = L"SplashScreenWindow";
constexpr UINT kClassStyle = CS_DBLCLKS | CS_SAVEBITS;

ATOM RegisterClassWithStyle(UINT style) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = style;
  windowClass.lpfnWndProc = &WindowObject::Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  return ::RegisterClassExW(&windowClass);
}

// Registers the class once per process; later windows share it as first
// registered, shadow or not. A system that refuses the drop shadow gets the
// class without it.
bool RegisterSplashClass(bool shadow) {
  static std::mutex lock;
  static ATOM registered = 0;
  std::lock_guard<std::mutex> guard(lock);
  if (registered == 0 && shadow) registered = RegisterClassWithStyle(kClassStyle | CS_DROPSHADOW);
  if (registered == 0) registered = RegisterClassWithStyle(kClassStyle);
  return registered != 0;
}

// Hands a layered window its picture, alpha and all: the system composes it
// over whatever lies below, so nothing is painted on WM_PAINT.
bool ShowPerPixel(HWND window, const SplashBitmap& picture, POINT position) {
  platform::win32::ScreenDc screen(::GetDC(nullptr));
  platform::win32::MemoryDc memory(::CreateCompatibleDC(screen.Get()));
  if (!screen || !memory) return false;
  GdiSelection selection(memory.Get(), picture.bitmap.Get());
  SIZE size = picture.size;
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return ::UpdateLayeredWindow(window, screen.Get(), &position, &size, memory.Get(), &origin, 0, &blend, ULW_ALPHA) !=
         0;
}

}  // namespace

HWND SplashWindow::Create(const WideString& picture, bool shadow) {
  const bool registered = RegisterSplashClass(shadow);
  picture_ = RenderSplashPicture(picture, ::GetSysColor(COLOR_WINDOW));
  // The primary screen's whole size, not its work area.
  const int left = CentredStart(::GetSystemMetrics(SM_CXSCREEN), picture_.size.cx);
  const int top = CentredStart(::GetSystemMetrics(SM_CYSCREEN), picture_.size.cy);
  if (!registered) return nullptr;
  const bool perPixel = picture_.surface == SplashSurface::PerPixelAlpha;
  HWND window =
      ::CreateWindowExW(WS_EX_TOOLWINDOW | (perPixel ? WS_EX_LAYERED : 0), kClassName, nullptr, WS_POPUP, left, top,
                        picture_.size.cx, picture_.size.cy, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  // A layered window the system refused its picture would stay invisible:
  // it goes, and the splash is not shown.
  if (window != nullptr && perPixel && !ShowPerPixel(window, picture_, {left, top})) {
    ::DestroyWindow(window);
    return nullptr;
  }
  return window;
}

std::optional<LRESULT> SplashWindow::HandleMessage(UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      // The picture covers the whole window: erasing first would only flicker.
      return 1;
    default:
      return std::nullopt;
  }
}

// Copies the whole picture on every paint, whatever the update region; the
// system composes a layered window's picture itself.
void SplashWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(Handle(), &paint);
  if (dc != nullptr && picture_.bitmap && picture_.surface == SplashSurface::Opaque) {
    platform::win32::MemoryDc memory(::CreateCompatibleDC(dc));
    if (memory) {
      GdiSelection selection(memory.Get(), picture_.bitmap.Get());
      ::BitBlt(dc, 0, 0, picture_.size.cx, picture_.size.cy, memory.Get(), 0, 0, SRCCOPY);
    }
  }
  ::EndPaint(Handle(), &paint);
}

}  // namespace launcher::ui::win32
