#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"

namespace launcher::brand {

// One image of an icon as an .ico file and an RT_ICON resource hold it: a PNG
// file, or a DIB (a BITMAPINFOHEADER, colours, colour bits, then the mask).
struct IconImage {
  uint16_t width = 0;  // 1 to 256
  uint16_t height = 0;
  uint8_t colorCount = 0;
  uint16_t planes = 1;
  uint16_t bitCount = 0;
  std::string data;
};

// The images of an .ico file, at most 256, each its own bytes of the file
// (none overlapping another or the image list); each entry's data is checked
// to be a whole PNG or a DIB whose pixels and mask fit in it.
inline constexpr size_t kMostIconImages = 256;
BrandResult<std::vector<IconImage>> ReadIcoFile(std::string_view file);

// A .png picture as the one image of an icon: square, at most 256 pixels, and
// a whole PNG file (its chunks and their checksums intact). PNG images of
// icons must be 8-bit RGBA: Windows reads no other kind there.
BrandResult<IconImage> ReadPngIcon(std::string_view file);

bool IsPng(std::string_view bytes);

// The RT_GROUP_ICON resource that lists the images as RT_ICON ids firstId,
// firstId + 1, ...
std::string BuildIconGroup(const std::vector<IconImage>& images, uint16_t firstId);

// The sizes an RT_GROUP_ICON lists, as "16x16" ..., with their bit depths.
struct IconGroupEntry {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t bitCount = 0;
  uint16_t iconId = 0;
};
std::vector<IconGroupEntry> ReadIconGroup(std::string_view group);

}  // namespace launcher::brand
