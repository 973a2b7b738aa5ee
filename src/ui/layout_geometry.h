#pragma once

#include <cstdint>

namespace launcher::ui {

// Rectangles and sizes in pixels, for the layout arithmetic of the dialogs,
// kept apart from the window system so that it can be tested anywhere.
struct LayoutRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const LayoutSize&) const = default;
};

struct LayoutPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const LayoutPoint&) const = default;
};

}  // namespace launcher::ui
