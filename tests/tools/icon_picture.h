#pragma once

#include <optional>
#include <string>

#include "screen_picture.h"

namespace ui_driver {

// The system icons a control may show, by the names the command line uses.
struct SystemIcon {
  const wchar_t* name;
  LPCWSTR id;
};
extern const SystemIcon kSystemIcons[5];

// How the system draws the icon at the top left of a picture of that size
// filled with the background colour (0xRRGGBB); nothing when it cannot.
std::optional<Picture> DrawnIcon(LPCWSTR id, int width, int height, std::uint32_t background);

}  // namespace ui_driver
