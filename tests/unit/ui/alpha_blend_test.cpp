#include "ui/alpha_blend.h"

#include <gtest/gtest.h>

#include <vector>

namespace launcher::ui {

namespace {

TEST(AlphaBlendTest, PremultipliedPixelsKeepTheirAlpha) {
  std::vector<uint8_t> pixels = {
      0x10, 0x20, 0xFF, 0xFF,  // opaque: unchanged
      0xFF, 0xFF, 0xFF, 0x00,  // transparent: black, still transparent
      0x00, 0xC0, 0xFF, 0x80,  // half: 192 * 128 / 255 = 96.4 -> 0x60, 255 -> 0x80
      0x20, 0x40, 0x60,        // a partial pixel at the end is not touched
  };
  EXPECT_TRUE(HasTransparentPixels(pixels));
  PremultiplyAlpha(pixels);
  const std::vector<uint8_t> expected = {
      0x10, 0x20, 0xFF, 0xFF,  //
      0x00, 0x00, 0x00, 0x00,  //
      0x00, 0x60, 0x80, 0x80,  //
      0x20, 0x40, 0x60,
  };
  EXPECT_EQ(pixels, expected);
  EXPECT_FALSE(HasTransparentPixels(std::vector<uint8_t>{1, 2, 3, 0xFF, 9, 9, 0x00}));
}

}  // namespace

}  // namespace launcher::ui
