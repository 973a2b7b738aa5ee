#include "icon_picture.h"

#include "gdi_handles.h"

using namespace launcher;

namespace ui_driver {

const SystemIcon kSystemIcons[5] = {{L"hand", IDI_HAND},
                                    {L"question", IDI_QUESTION},
                                    {L"exclamation", IDI_EXCLAMATION},
                                    {L"asterisk", IDI_ASTERISK},
                                    {L"application", IDI_APPLICATION}};

std::optional<Picture> DrawnIcon(LPCWSTR id, int width, int height, std::uint32_t background) {
  HICON icon = ::LoadIconW(nullptr, id);
  platform::win32::ScreenDc screen(::GetDC(nullptr));
  platform::win32::MemoryDc memory(::CreateCompatibleDC(screen.Get()));
  if (icon == nullptr || !memory) return std::nullopt;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  platform::win32::GdiObject bitmap(::CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return std::nullopt;
  {
    ScopedSelection selection(memory.Get(), bitmap.Get());
    platform::win32::GdiObject brush(
        ::CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF)));
    const RECT all{0, 0, width, height};
    ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(brush.Get()));
    if (!::DrawIconEx(memory.Get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL)) return std::nullopt;
    ::GdiFlush();
  }
  Picture picture{width, height, {}};
  const auto* source = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(source, source + static_cast<size_t>(width) * height);
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
  return picture;
}

}  // namespace ui_driver
