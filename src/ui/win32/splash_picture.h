#pragma once

#include "platform/wide_string.h"
#include "platform/windows_api.h"

namespace launcher::ui::win32 {

// How the splash window shows its bitmap.
enum class SplashSurface {
  Opaque,         // a bitmap compatible with the screen, copied on every paint
  PerPixelAlpha,  // a 32-bit bitmap with premultiplied alpha, for a layered window
};

// A picture drawn once into a bitmap, which the splash window shows.
struct SplashBitmap {
  platform::win32::GdiObject bitmap;  // null when there is no picture
  SIZE size{};                        // 0 by 0 when there is no picture
  SplashSurface surface = SplashSurface::Opaque;
};

// Reads the picture file whole. OLE's decoder reads bitmaps, JPEG, GIF, icons
// and metafiles, drawn over the background colour; PNG, what OLE refuses and
// pictures with transparent parts go to the Windows Imaging Component (OLE would reduce an alpha channel to a mask). A
// picture with pixels that are not fully opaque keeps its alpha channel, for a layered window. A file that is missing,
// empty, locked or not a picture gives no bitmap; nothing is reported.
SplashBitmap RenderSplashPicture(const WideString& path, COLORREF background);

}  // namespace launcher::ui::win32
