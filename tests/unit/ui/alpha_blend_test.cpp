#include "ui/alpha_blend.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(AlphaBlendTest, EachPixelIsLaidOverTheBackgroundByItsAlpha) {
  // Blue, green, red, alpha; over a background of red 0xF0, green 0x80, blue 0x10.
  std::vector<uint8_t> pixels = {
      0x00, 0x00, 0xFF, 0xFF,  // opaque red stays red
      0x00, 0x00, 0xFF, 0x00,  // transparent red is the background
      0x00, 0x00, 0xFF, 0x80,  // half: (255 * 128 + 240 * 127) / 255 = 247.5 -> 248
      0xFF, 0xFF, 0xFF, 0x01,  // nearly transparent white: blue 16.94 -> 0x11, green 128.498 -> 0x80
      0x20, 0x40, 0x60,        // a partial pixel at the end is not touched
  };
  BlendOntoBackground(pixels, {0xF0, 0x80, 0x10});
  const std::vector<uint8_t> expected = {
      0x00, 0x00, 0xFF, 0xFF,  //
      0x10, 0x80, 0xF0, 0xFF,  //
      0x08, 0x40, 0xF8, 0xFF,  //
      0x11, 0x80, 0xF0, 0xFF,  //
      0x20, 0x40, 0x60,
  };
  EXPECT_EQ(pixels, expected);
}

}  // namespace
