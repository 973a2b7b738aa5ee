#include "screen_picture.h"

#include "gdi_handles.h"

using namespace launcher;

namespace ui_driver {
namespace {

BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

std::optional<Picture> ReadScreen(const RECT& area) {
  Picture picture{area.right - area.left, area.bottom - area.top, {}};
  if (picture.width <= 0 || picture.height <= 0) return std::nullopt;
  platform::win32::ScreenDc screen(::GetDC(nullptr));
  if (!screen) return std::nullopt;
  platform::win32::MemoryDc memory(::CreateCompatibleDC(screen.Get()));
  if (!memory) return std::nullopt;
  BITMAPINFO info = TopDownBitmapInfo(picture.width, picture.height);
  void* bits = nullptr;
  platform::win32::GdiObject bitmap(::CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return std::nullopt;
  {
    ScopedSelection selection(memory.Get(), bitmap.Get());
    if (!::BitBlt(memory.Get(), 0, 0, picture.width, picture.height, screen.Get(), area.left, area.top, SRCCOPY)) {
      return std::nullopt;
    }
    ::GdiFlush();
  }
  // A 32-bit DIB holds blue, green, red and an unused byte: 0x00RRGGBB once read as one number.
  const auto* source = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(source, source + static_cast<size_t>(picture.width) * picture.height);
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
  return picture;
}

}  // namespace ui_driver
