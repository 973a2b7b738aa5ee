#pragma once

#include "ui/layout_geometry.h"

namespace launcher::ui {

// Where a dialog of that size goes: centred on the centring rectangle (its
// owner's, or the work area), then pushed back inside the area: off the right
// or bottom edge first, then off the left or top edge, so that a dialog larger
// than the area starts at its left and top.
LayoutPoint CentredPosition(LayoutSize dialog, const LayoutRect& centreOn, const LayoutRect& area);

}  // namespace launcher::ui
