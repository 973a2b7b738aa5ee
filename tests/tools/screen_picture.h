#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/windows_api.h"

namespace ui_driver {

// Pixels as 0xRRGGBB, row by row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// What the screen shows in the area now, as any user would see it (windows
// of every process, overlaps included); nothing when the system refused.
std::optional<Picture> ReadScreen(const RECT& area);

}  // namespace ui_driver
