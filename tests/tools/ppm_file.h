#pragma once

#include <string>

#include "screen_picture.h"

namespace ui_driver {

// Writes the picture as a binary PPM (P6, 8 bits a channel); false when the
// file could not be written.
bool WritePpm(const std::wstring& path, const Picture& picture);

}  // namespace ui_driver
