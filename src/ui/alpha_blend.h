#pragma once

#include <cstdint>
#include <span>

namespace launcher::ui {

// Pixels of 32 bits in blue, green, red, alpha order; a trailing partial
// pixel is never looked at.

// Whether any pixel is not fully opaque.
bool HasTransparentPixels(std::span<const uint8_t> bgraPixels);

// Multiplies each colour channel by its pixel's alpha, in place, as a layered
// window takes its pixels: (colour * alpha) / 255, rounded.
void PremultiplyAlpha(std::span<uint8_t> bgraPixels);

}  // namespace launcher::ui
