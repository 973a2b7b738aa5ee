#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/win32/ole_functions.h"

namespace launcher::ui::win32 {

// A picture as rows of pixels, top row first, each pixel 32 bits in blue,
// green, red, alpha order (alpha not premultiplied).
struct PixelPicture {
  SIZE size{};
  std::vector<uint8_t> bgra;
};

// Decodes the first frame of the stream (from its current position) with the
// Windows Imaging Component: PNG and every other format it knows. Nothing
// when it cannot, or the picture is too large to hold.
std::optional<PixelPicture> DecodeWithWic(const OleFunctions& ole, IStream* stream);

}  // namespace launcher::ui::win32
