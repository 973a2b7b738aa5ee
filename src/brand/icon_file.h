#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"

namespace brand {

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

// The images of an .ico file; each entry's data is checked to be a whole PNG
// or a DIB whose pixels and mask fit in it.
BrandResult<std::vector<IconImage>> ReadIcoFile(std::string_view file);

// A .png picture as the one image of an icon: square, at most 256 pixels, and
// a whole PNG file (its chunks and their checksums intact).
BrandResult<IconImage> ReadPngIcon(std::string_view file);

// The width and height of a PNG, after checking every chunk up to IEND.
struct PngSize {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bitsPerPixel = 0;
};
BrandResult<PngSize> ReadPngSize(std::string_view png);

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

}  // namespace brand
