#include "brand/icon_file.h"

#include <array>

#include "common/little_endian.h"

namespace brand {

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr uint32_t kLargestIcon = 256;

BrandError BadIcon(const std::string& why) { return {"not a usable icon (" + why + ")"}; }

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[i] = c;
    }
    return entries;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint16_t PngBitsPerPixel(uint8_t depth, uint8_t colourType) {
  switch (colourType) {
    case 2:
      return static_cast<uint16_t>(depth * 3);
    case 4:
      return static_cast<uint16_t>(depth * 2);
    case 6:
      return static_cast<uint16_t>(depth * 4);
    default:
      return depth;
  }
}

// The bytes a DIB of an icon needs: header, palette, colour rows and the
// one-bit mask rows, each row padded to 4 bytes.
uint64_t DibSize(uint32_t headerSize, uint32_t width, uint32_t height, uint16_t bitCount, uint32_t colorsUsed) {
  const uint64_t palette = bitCount <= 8 ? uint64_t{colorsUsed != 0 ? colorsUsed : (1u << bitCount)} * 4 : 0;
  const uint64_t colourRow = (uint64_t{width} * bitCount + 31) / 32 * 4;
  const uint64_t maskRow = (uint64_t{width} + 31) / 32 * 4;
  return headerSize + palette + (colourRow + maskRow) * height;
}

BrandResult<IconImage> CheckDib(std::string_view data, size_t index) {
  const ByteReader dib(data);
  const std::string which = "image " + std::to_string(index + 1);
  const uint32_t headerSize = dib.U32(0);
  if (!dib.Has(0, 40) || headerSize < 40 || headerSize > data.size()) return BadIcon(which + " has no bitmap header");
  const auto width = static_cast<int32_t>(dib.U32(4));
  const auto doubleHeight = static_cast<int32_t>(dib.U32(8));
  const uint16_t bitCount = dib.U16(14);
  const uint32_t compression = dib.U32(16);
  const bool knownDepth =
      bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
  if (width <= 0 || width > static_cast<int32_t>(kLargestIcon) || doubleHeight <= 0 || doubleHeight % 2 != 0 ||
      doubleHeight / 2 > static_cast<int32_t>(kLargestIcon) || !knownDepth || compression != 0) {
    return BadIcon(which + " is a bitmap of a kind icons do not use");
  }
  const uint32_t colorsUsed = dib.U32(32);
  if (colorsUsed > 256 || DibSize(headerSize, width, doubleHeight / 2, bitCount, colorsUsed) > data.size()) {
    return BadIcon(which + " is cut short");
  }
  return IconImage{.width = static_cast<uint16_t>(width),
                   .height = static_cast<uint16_t>(doubleHeight / 2),
                   .colorCount = static_cast<uint8_t>(bitCount < 8 ? 1u << bitCount : 0),
                   .planes = 1,
                   .bitCount = bitCount,
                   .data = std::string(data)};
}

// What is wrong with a PNG file, after checking every chunk up to IEND; empty
// when nothing is, and then its size.
std::string PngProblem(std::string_view png, PngSize& size) {
  const ByteReader file(png);
  if (!IsPng(png)) return "no PNG signature";
  uint64_t at = kPngSignature.size();
  for (bool first = true;; first = false) {
    if (!file.Has(at, 12)) return "PNG cut short";
    const uint32_t length = file.U32BigEndian(at);
    if (!file.Has(at + 8, uint64_t{length} + 4)) return "PNG cut short";
    const std::string_view type = file.Slice(at + 4, 4);
    if (Crc32(file.Slice(at + 4, uint64_t{length} + 4)) != file.U32BigEndian(at + 8 + length)) {
      return "PNG chunk checksum wrong";
    }
    if (first) {
      if (type != "IHDR" || length != 13) return "PNG without a header chunk";
      size = {.width = file.U32BigEndian(at + 8),
              .height = file.U32BigEndian(at + 12),
              .bitsPerPixel = PngBitsPerPixel(file.U8(at + 16), file.U8(at + 17))};
      if (size.width == 0 || size.height == 0) return "PNG of no pixels";
    }
    if (type == "IEND") return {};
    at += 12 + uint64_t{length};
  }
}

BrandResult<IconImage> PngImage(std::string_view data, const std::string& which) {
  PngSize size;
  const std::string problem = PngProblem(data, size);
  if (!problem.empty()) return BadIcon(which + ": " + problem);
  if (size.width != size.height) return BadIcon(which + " is not square");
  if (size.width > kLargestIcon) return BadIcon(which + " is larger than 256 pixels");
  return IconImage{.width = static_cast<uint16_t>(size.width),
                   .height = static_cast<uint16_t>(size.height),
                   .colorCount = 0,
                   .planes = 1,
                   .bitCount = size.bitsPerPixel,
                   .data = std::string(data)};
}

}  // namespace

bool IsPng(std::string_view bytes) { return bytes.substr(0, kPngSignature.size()) == kPngSignature; }

BrandResult<PngSize> ReadPngSize(std::string_view png) {
  PngSize size;
  const std::string problem = PngProblem(png, size);
  if (!problem.empty()) return BadIcon(problem);
  return size;
}

BrandResult<IconImage> ReadPngIcon(std::string_view file) { return PngImage(file, "the picture"); }

BrandResult<std::vector<IconImage>> ReadIcoFile(std::string_view bytes) {
  const ByteReader file(bytes);
  if (!file.Has(0, 6) || file.U16(0) != 0 || file.U16(2) != 1) return BadIcon("no icon file header");
  const uint16_t count = file.U16(4);
  if (count == 0) return BadIcon("an icon file without images");
  if (!file.Has(6, uint64_t{count} * 16)) return BadIcon("image list cut short");
  std::vector<IconImage> images;
  for (uint16_t i = 0; i < count; ++i) {
    const uint32_t entry = 6 + uint32_t{i} * 16;
    const uint32_t size = file.U32(entry + 8);
    const uint32_t offset = file.U32(entry + 12);
    if (size == 0 || !file.Has(offset, size)) {
      return BadIcon("image " + std::to_string(i + 1) + " lies beyond the end of the file");
    }
    const std::string_view data = file.Slice(offset, size);
    BrandResult<IconImage> image = IsPng(data) ? PngImage(data, "image " + std::to_string(i + 1)) : CheckDib(data, i);
    if (!image) return image.error();
    // The file's own directory fields stay, so that the icon rebuilt from the
    // resources is the file again; a depth of 0 is filled in from the image.
    image->colorCount = file.U8(entry + 2);
    if (file.U16(entry + 4) != 0) image->planes = file.U16(entry + 4);
    if (file.U16(entry + 6) != 0) image->bitCount = file.U16(entry + 6);
    images.push_back(std::move(*image));
  }
  return images;
}

std::string BuildIconGroup(const std::vector<IconImage>& images, uint16_t firstId) {
  std::string group;
  AppendU16(group, 0);
  AppendU16(group, 1);
  AppendU16(group, static_cast<uint16_t>(images.size()));
  for (size_t i = 0; i < images.size(); ++i) {
    const IconImage& image = images[i];
    // 256 pixels are written as 0, as in an .ico file.
    group.push_back(static_cast<char>(image.width & 0xFF));
    group.push_back(static_cast<char>(image.height & 0xFF));
    group.push_back(static_cast<char>(image.colorCount));
    group.push_back('\0');
    AppendU16(group, image.planes);
    AppendU16(group, image.bitCount);
    AppendU32(group, static_cast<uint32_t>(image.data.size()));
    AppendU16(group, static_cast<uint16_t>(firstId + i));
  }
  return group;
}

std::vector<IconGroupEntry> ReadIconGroup(std::string_view bytes) {
  const ByteReader group(bytes);
  std::vector<IconGroupEntry> entries;
  const uint16_t count = group.U16(4);
  for (uint32_t i = 0; i < count && group.Has(6 + i * 14, 14); ++i) {
    const uint32_t at = 6 + i * 14;
    entries.push_back({.width = static_cast<uint16_t>(group.U8(at) == 0 ? 256 : group.U8(at)),
                       .height = static_cast<uint16_t>(group.U8(at + 1) == 0 ? 256 : group.U8(at + 1)),
                       .bitCount = group.U16(at + 6),
                       .iconId = group.U16(at + 12)});
  }
  return entries;
}

}  // namespace brand
