#include "ui/dialog_centring.h"

namespace launcher::ui {

namespace {

// One axis; the divisions truncate toward zero.
int32_t CentredStart(int32_t length, int32_t centreStart, int32_t centreEnd, int32_t areaStart, int32_t areaEnd) {
  int32_t start = (centreStart + centreEnd) / 2 - length / 2;
  if (start + length > areaEnd) start = areaEnd - length;
  if (start < areaStart) start = areaStart;
  return start;
}

}  // namespace

LayoutPoint CentredPosition(LayoutSize dialog, const LayoutRect& centreOn, const LayoutRect& area) {
  return {CentredStart(dialog.width, centreOn.left, centreOn.right, area.left, area.right),
          CentredStart(dialog.height, centreOn.top, centreOn.bottom, area.top, area.bottom)};
}

}  // namespace launcher::ui
