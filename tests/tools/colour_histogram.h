#pragma once

#include <cstdint>
#include <vector>

#include "screen_picture.h"

namespace ui_driver {

struct ColourCount {
  std::uint32_t colour = 0;  // 0xRRGGBB
  size_t count = 0;
};

// Every colour of the picture with its number of pixels, most frequent first;
// colours as frequent as each other in ascending order, so that the list is stable.
std::vector<ColourCount> Histogram(const Picture& picture);

}  // namespace ui_driver
