#pragma once

#include "platform/wide_string.h"
#include "platform/windows_api.h"

namespace ui::win32 {

// A picture drawn once into a bitmap compatible with the screen, which the
// splash window copies whenever it paints.
struct SplashBitmap {
  platform::win32::GdiObject bitmap;  // null when there is no picture
  SIZE size{};                        // 0 by 0 when there is no picture
};

// Reads the picture file whole and draws it over the background colour.
// OLE's decoder reads bitmaps, JPEG, GIF, icons and metafiles; what it refuses
// (PNG on Windows) and pictures with transparent parts go to the Windows
// Imaging Component, whose alpha channel is blended onto the background (OLE
// would reduce it to a mask). A file that is missing, empty, locked or not a
// picture gives no bitmap; nothing is reported.
SplashBitmap RenderSplashPicture(const WideString& path, COLORREF background);

}  // namespace ui::win32
