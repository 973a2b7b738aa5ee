#pragma once

#include <cstdint>

namespace launcher::ui {

// The arithmetic of the splash window's picture and place.

// Where a picture of the given extent starts so that it is centred on a
// screen of the given extent: a picture larger than the screen starts before
// it. The halving truncates toward zero, as integer division does, so one
// pixel too wide still starts at 0.
int32_t CentredStart(int32_t screenExtent, int32_t pictureExtent);

// A length in HIMETRIC units (hundredths of a millimetre, 2540 to the inch) in
// pixels at the given dots per inch, and back; both round to the nearest whole
// unit, halves away from zero.
int32_t PixelsFromHimetric(int32_t himetric, int32_t dotsPerInch);
int32_t HimetricFromPixels(int32_t pixels, int32_t dotsPerInch);

}  // namespace launcher::ui
