#include "ui/win32/ole_picture.h"

#include "ui/splash_geometry.h"

namespace launcher::ui::win32 {
namespace {

struct ScreenResolution {
  int x;
  int y;
};

ScreenResolution QueryScreenResolution() {
  platform::win32::ScreenDc screen(::GetDC(nullptr));
  if (!screen) return {0, 0};
  return {::GetDeviceCaps(screen.Get(), LOGPIXELSX), ::GetDeviceCaps(screen.Get(), LOGPIXELSY)};
}

}  // namespace

std::optional<OlePicture> LoadOlePicture(const OleFunctions& ole, IStream* stream, LONG size) {
  IPicture* decoded = nullptr;
  if (FAILED(ole.oleLoadPicture(stream, size, FALSE, __uuidof(IPicture), reinterpret_cast<void**>(&decoded))) ||
      decoded == nullptr) {
    return std::nullopt;
  }
  OlePicture result{platform::win32::ComReference<IPicture>(decoded)};
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  DWORD attributes = 0;
  if (FAILED(decoded->get_Width(&width)) || FAILED(decoded->get_Height(&height))) return std::nullopt;
  if (FAILED(decoded->get_Attributes(&attributes))) attributes = 0;
  const ScreenResolution resolution = QueryScreenResolution();
  result.himetric = {width, height};
  result.pixels = {PixelsFromHimetric(width, resolution.x), PixelsFromHimetric(height, resolution.y)};
  result.transparent = (attributes & PICTURE_TRANSPARENT) != 0;
  return result;
}

bool DrawOlePicture(const OlePicture& picture, HDC dc) {
  const ScreenResolution resolution = QueryScreenResolution();
  const LONG sourceWidth = HimetricFromPixels(picture.pixels.cx, resolution.x);
  const LONG sourceHeight = HimetricFromPixels(picture.pixels.cy, resolution.y);
  // HIMETRIC runs bottom-up: from the top edge with a negative height, the picture comes out upright.
  return SUCCEEDED(picture.picture.Get()->Render(dc, 0, 0, picture.pixels.cx, picture.pixels.cy, 0, picture.himetric.cy,
                                                 sourceWidth, -sourceHeight, nullptr));
}

}  // namespace launcher::ui::win32
