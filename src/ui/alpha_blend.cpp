#include "ui/alpha_blend.h"

namespace launcher::ui {

namespace {

constexpr unsigned kOpaque = 255;

}  // namespace

bool HasTransparentPixels(std::span<const uint8_t> bgraPixels) {
  for (size_t i = 0; i + 4 <= bgraPixels.size(); i += 4) {
    if (bgraPixels[i + 3] != kOpaque) return true;
  }
  return false;
}

void PremultiplyAlpha(std::span<uint8_t> bgraPixels) {
  for (size_t i = 0; i + 4 <= bgraPixels.size(); i += 4) {
    const unsigned alpha = bgraPixels[i + 3];
    for (size_t channel = i; channel < i + 3; ++channel) {
      bgraPixels[channel] = static_cast<uint8_t>((bgraPixels[channel] * alpha + kOpaque / 2) / kOpaque);
    }
  }
}

}  // namespace launcher::ui
