#include "ui/alpha_blend.h"

namespace {

constexpr unsigned kOpaque = 255;

uint8_t Blend(uint8_t colour, uint8_t background, unsigned alpha) {
  return static_cast<uint8_t>((colour * alpha + background * (kOpaque - alpha) + kOpaque / 2) / kOpaque);
}

}  // namespace

void BlendOntoBackground(std::span<uint8_t> bgraPixels, OpaqueColour background) {
  for (size_t i = 0; i + 4 <= bgraPixels.size(); i += 4) {
    const unsigned alpha = bgraPixels[i + 3];
    bgraPixels[i] = Blend(bgraPixels[i], background.blue, alpha);
    bgraPixels[i + 1] = Blend(bgraPixels[i + 1], background.green, alpha);
    bgraPixels[i + 2] = Blend(bgraPixels[i + 2], background.red, alpha);
    bgraPixels[i + 3] = kOpaque;
  }
}
