#pragma once

#include <cstdint>

#include "ui/layout_geometry.h"

namespace launcher::ui {

// How a control of a resizable dialog follows the dialog's client size.
namespace resize {

constexpr uint32_t kSizeX = 0x01;    // the right edge follows the width
constexpr uint32_t kSizeY = 0x02;    // the bottom edge follows the height
constexpr uint32_t kMoveX = 0x04;    // the control moves with the width
constexpr uint32_t kMoveY = 0x08;    // the control moves with the height
constexpr uint32_t kRepaint = 0x10;  // the control is repainted whenever it is placed
constexpr uint32_t kCentreX = 0x20;  // centred across, its width kept
constexpr uint32_t kCentreY = 0x40;  // centred down, its height kept
constexpr uint32_t kGrip = 0x4000;   // the size grip's own entry

// Whether the control is placed (moved and sized) at all.
constexpr bool Places(uint32_t flags) { return (flags & 0x7F) != 0; }

// One control of a dialog's resize map.
struct Rule {
  int32_t id;
  uint32_t flags;
};

}  // namespace resize

// The control's rectangle for a client area of newClient: initial is where it
// was (in client coordinates) when the client area was initialClient, current
// where it is now, which an edge that does not follow keeps.
LayoutRect PlaceControl(uint32_t flags, const LayoutRect& initial, const LayoutRect& current, LayoutSize initialClient,
                        LayoutSize newClient);

}  // namespace launcher::ui
