#include "ui/splash_geometry.h"

#include <gtest/gtest.h>

namespace launcher::ui {

namespace {

TEST(SplashGeometryTest, CentringHalvesTheRestTowardZero) {
  struct Case {
    int32_t screen;
    int32_t picture;
    int32_t start;
  };
  const Case cases[] = {
      {1024, 400, 312}, {768, 300, 234}, {1024, 1024, 0},    {1024, 1025, 0},  // -1 / 2 truncates to 0, not -1
      {1024, 1027, -1}, {768, 771, -1},  {1024, 3000, -988}, {1024, 0, 512},  {1023, 0, 511},
  };
  for (const Case& c : cases) EXPECT_EQ(CentredStart(c.screen, c.picture), c.start) << c.screen << " " << c.picture;
}

TEST(SplashGeometryTest, HimetricBecomesTheNearestWholePixelAndBack) {
  struct Case {
    int32_t himetric;
    int32_t dpi;
    int32_t pixels;
  };
  const Case toPixels[] = {
      {5292, 96, 200},  // 200.02
      {2117, 96, 80},   // what a bitmap of 80 pixels reports at 96 dpi
      {1270, 1, 1},     // exactly one half rounds up
      {1269, 1, 0},    {2540, 144, 144}, {0, 96, 0}, {-5292, 96, -200},
  };
  for (const Case& c : toPixels) EXPECT_EQ(PixelsFromHimetric(c.himetric, c.dpi), c.pixels) << c.himetric;

  EXPECT_EQ(HimetricFromPixels(200, 96), 5292);  // 5291.67
  EXPECT_EQ(HimetricFromPixels(80, 96), 2117);   // 2116.67
  EXPECT_EQ(HimetricFromPixels(144, 144), 2540);
  EXPECT_EQ(HimetricFromPixels(10, 0), 0);  // a screen that tells no resolution
}

}  // namespace

}  // namespace launcher::ui
