#include "fixture_splash.h"

#include "fixture_output.h"
#include "gdi_handles.h"

namespace window_fixture {
namespace {

class SplashWindow {
 public:
  explicit SplashWindow(const SplashOptions& options) : brush_(::CreateSolidBrush(options.colour)) {
    if (options.bitmapPath) {
      picture_.Reset(::LoadImageW(nullptr, options.bitmapPath->c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    }
  }

  bool HasPicture() const { return static_cast<bool>(picture_); }

  SIZE PictureSize() const {
    BITMAP bitmap{};
    ::GetObjectW(picture_.Get(), sizeof(bitmap), &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SplashWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_PAINT) {
      self->Paint(window);
      return 0;
    }
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  void Paint(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    RECT client{};
    ::GetClientRect(window, &client);
    if (picture_) {
      ui_driver::MemoryDc memory(::CreateCompatibleDC(dc));
      ui_driver::ScopedSelection selection(memory.Get(), picture_.Get());
      ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    } else {
      ::FillRect(dc, &client, static_cast<HBRUSH>(brush_.Get()));
    }
    ::EndPaint(window, &paint);
  }

  ui_driver::GdiObject brush_;
  ui_driver::GdiObject picture_;
};

RECT WorkArea() {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

POINT CentredOnWorkArea(SIZE size) {
  const RECT area = WorkArea();
  return {area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

bool RegisterSplashClass(const std::wstring& name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = SplashWindow::Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name.c_str();
  return ::RegisterClassExW(&windowClass) != 0;
}

void RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

int RunSplash(const SplashOptions& options) {
  SplashWindow splash(options);
  if (options.bitmapPath && !splash.HasPicture()) {
    Say(L"error cannot load " + *options.bitmapPath);
    return 1;
  }
  if (!RegisterSplashClass(options.className)) return 1;
  const SIZE size = splash.HasPicture() ? splash.PictureSize() : options.size;
  const POINT at = options.at.value_or(CentredOnWorkArea(size));
  HWND window = ::CreateWindowExW(0, options.className.c_str(), L"", WS_POPUP, at.x, at.y, size.cx, size.cy, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), &splash);
  if (!window) return 1;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  Say(L"splash hwnd=" + HandleText(window) + L" rect=" + RectText(rect) + L" work-area=" + RectText(WorkArea()) +
      L" screen=" + PairText(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
  if (!options.messageBoxText) {
    RunMessageLoop();
    return 0;
  }
  int result = ::MessageBoxW(window, options.messageBoxText->c_str(), L"Fixture", MB_OK | MB_ICONERROR);
  Say(L"message-box result=" + std::to_wstring(result));
  ::DestroyWindow(window);
  return 0;
}

}  // namespace window_fixture
