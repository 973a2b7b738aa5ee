#pragma once

#include <optional>

#include "platform/windows_api.h"
#include "ui/win32/ole_functions.h"

namespace launcher::ui::win32 {

// A picture that OLE's decoder made of a file's bytes: bitmaps, JPEG, GIF,
// icons and metafiles.
struct OlePicture {
  platform::win32::ComReference<IPicture> picture;
  SIZE himetric{};     // its size as the decoder reports it, in HIMETRIC
  SIZE pixels{};       // that size in pixels at the screen's resolution
  bool transparent{};  // parts of it let the background show
};

// Decodes the stream's first size bytes; nothing when the decoder refuses them.
std::optional<OlePicture> LoadOlePicture(const OleFunctions& ole, IStream* stream, LONG size);

// Draws the whole picture upright into dc, scaled to fill its pixel size from (0, 0).
bool DrawOlePicture(const OlePicture& picture, HDC dc);

}  // namespace launcher::ui::win32
