#include "brand/icon_file.h"

#include <zlib.h>

#include <algorithm>
#include <optional>

#include "common/little_endian.h"

namespace launcher::brand {

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr uint32_t kLargestIcon = 256;

BrandError BadIcon(const std::string& why) { return {"not a usable icon (" + why + ")"}; }

// A PNG chunk's CRC is zlib's CRC-32.
uint32_t Crc32(std::string_view bytes) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
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

// What a PNG's header chunk says.
struct PngHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t bitDepth = 0;
  uint8_t colourType = 0;
};

constexpr uint8_t kPngRgba = 6;  // the colour type of red, green, blue and alpha

// What is wrong with a PNG file, after checking every chunk up to IEND; empty
// when nothing is, and then its header.
std::string PngProblem(std::string_view png, PngHeader& header) {
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
      header = {.width = file.U32BigEndian(at + 8),
                .height = file.U32BigEndian(at + 12),
                .bitDepth = file.U8(at + 16),
                .colourType = file.U8(at + 17)};
      if (header.width == 0 || header.height == 0) return "PNG of no pixels";
    }
    if (type == "IEND") return {};
    at += 12 + uint64_t{length};
  }
}

// Wine shows a PNG icon image of any kind, Windows only 32-bit ARGB ones: a
// publisher who tests under Wine alone would ship an icon Windows cannot show.
BrandResult<IconImage> PngImage(std::string_view data, const std::string& which) {
  PngHeader header;
  const std::string problem = PngProblem(data, header);
  if (!problem.empty()) return BadIcon(which + ": " + problem);
  if (header.width != header.height) return BadIcon(which + " is not square");
  if (header.width > kLargestIcon) return BadIcon(which + " is larger than 256 pixels");
  if (header.bitDepth != 8 || header.colourType != kPngRgba) {
    return BadIcon(which +
                   " is a PNG of another kind than 8-bit RGBA, the only kind Windows shows in an icon; "
                   "save it as 32-bit RGBA");
  }
  return IconImage{.width = static_cast<uint16_t>(header.width),
                   .height = static_cast<uint16_t>(header.height),
                   .colorCount = 0,
                   .planes = 1,
                   .bitCount = 32,
                   .data = std::string(data)};
}

// An .ico file: a 6-byte header (0, type 1, count), then a 16-byte entry per
// image: width, height, colours, reserved, planes, bits per pixel, the
// image's size and its offset in the file.
constexpr uint32_t kIcoHeaderSize = 6;
constexpr uint32_t kIcoCount = 4;
constexpr uint32_t kIcoEntrySize = 16;
constexpr uint32_t kIcoEntryColours = 2;
constexpr uint32_t kIcoEntryPlanes = 4;
constexpr uint32_t kIcoEntryBitCount = 6;
constexpr uint32_t kIcoEntryBytes = 8;
constexpr uint32_t kIcoEntryOffset = 12;

struct ImageBytes {
  uint64_t offset = 0;
  uint64_t size = 0;
  size_t index = 0;
};

// Entries that share bytes would make one image count many times (thousands
// of copies of one large image from a small file), so each must have its own.
std::optional<BrandError> SharedImageBytes(std::vector<ImageBytes> images, uint64_t listEnd) {
  std::sort(images.begin(), images.end(), [](const ImageBytes& a, const ImageBytes& b) { return a.offset < b.offset; });
  for (size_t i = 0; i < images.size(); ++i) {
    const std::string which = "image " + std::to_string(images[i].index + 1);
    if (images[i].offset < listEnd) return BadIcon(which + " lies inside the image list");
    if (i > 0 && images[i - 1].offset + images[i - 1].size > images[i].offset) {
      return BadIcon(which + " shares its bytes with image " + std::to_string(images[i - 1].index + 1));
    }
  }
  return std::nullopt;
}

}  // namespace

bool IsPng(std::string_view bytes) { return bytes.substr(0, kPngSignature.size()) == kPngSignature; }

BrandResult<IconImage> ReadPngIcon(std::string_view file) { return PngImage(file, "the picture"); }

BrandResult<std::vector<IconImage>> ReadIcoFile(std::string_view bytes) {
  const ByteReader file(bytes);
  if (!file.Has(0, kIcoHeaderSize) || file.U16(0) != 0 || file.U16(2) != 1) return BadIcon("no icon file header");
  const uint16_t count = file.U16(kIcoCount);
  if (count == 0) return BadIcon("an icon file without images");
  if (count > kMostIconImages) return BadIcon("more than " + std::to_string(kMostIconImages) + " images");
  const uint64_t listEnd = kIcoHeaderSize + uint64_t{count} * kIcoEntrySize;
  if (!file.Has(0, listEnd)) return BadIcon("image list cut short");
  std::vector<ImageBytes> places;
  for (uint16_t i = 0; i < count; ++i) {
    const uint32_t entry = kIcoHeaderSize + uint32_t{i} * kIcoEntrySize;
    places.push_back(
        {.offset = file.U32(entry + kIcoEntryOffset), .size = file.U32(entry + kIcoEntryBytes), .index = i});
    if (places.back().size == 0 || !file.Has(places.back().offset, places.back().size)) {
      return BadIcon("image " + std::to_string(i + 1) + " lies beyond the end of the file");
    }
  }
  if (std::optional<BrandError> shared = SharedImageBytes(places, listEnd)) return *shared;
  std::vector<IconImage> images;
  for (const ImageBytes& place : places) {
    const uint32_t entry = kIcoHeaderSize + static_cast<uint32_t>(place.index) * kIcoEntrySize;
    const std::string_view data = file.Slice(place.offset, place.size);
    const std::string which = "image " + std::to_string(place.index + 1);
    BrandResult<IconImage> image = IsPng(data) ? PngImage(data, which) : CheckDib(data, place.index);
    if (!image) return image.error();
    // The file's own directory fields stay, so that the icon rebuilt from the
    // resources is the file again; a depth of 0 is filled in from the image.
    image->colorCount = file.U8(entry + kIcoEntryColours);
    if (file.U16(entry + kIcoEntryPlanes) != 0) image->planes = file.U16(entry + kIcoEntryPlanes);
    if (file.U16(entry + kIcoEntryBitCount) != 0) image->bitCount = file.U16(entry + kIcoEntryBitCount);
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

}  // namespace launcher::brand
