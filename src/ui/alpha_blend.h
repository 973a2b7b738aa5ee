#pragma once

#include <cstdint>
#include <span>

// An opaque colour by its channels.
struct OpaqueColour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

// Lays pixels of 32 bits in blue, green, red, alpha order (alpha not
// premultiplied) over an opaque background, in place: each channel becomes
// (colour * alpha + background * (255 - alpha)) / 255, rounded, and alpha 255.
// A trailing partial pixel is left alone.
void BlendOntoBackground(std::span<uint8_t> bgraPixels, OpaqueColour background);
