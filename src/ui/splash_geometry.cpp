#include "ui/splash_geometry.h"

namespace launcher::ui {

namespace {

constexpr int64_t kHimetricPerInch = 2540;

// numerator / denominator rounded to the nearest integer, halves away from zero
// (denominator > 0).
int32_t RoundedQuotient(int64_t numerator, int64_t denominator) {
  const int64_t half = denominator / 2;
  return static_cast<int32_t>(numerator >= 0 ? (numerator + half) / denominator : (numerator - half) / denominator);
}

}  // namespace

int32_t CentredStart(int32_t screenExtent, int32_t pictureExtent) { return (screenExtent - pictureExtent) / 2; }

int32_t PixelsFromHimetric(int32_t himetric, int32_t dotsPerInch) {
  return RoundedQuotient(int64_t{himetric} * dotsPerInch, kHimetricPerInch);
}

int32_t HimetricFromPixels(int32_t pixels, int32_t dotsPerInch) {
  if (dotsPerInch <= 0) return 0;
  return RoundedQuotient(int64_t{pixels} * kHimetricPerInch, dotsPerInch);
}

}  // namespace launcher::ui
