#include "ui/resize_placement.h"

namespace launcher::ui {

namespace {

struct Span {
  int32_t start;
  int32_t end;
};

// One axis: the flags for centring, sizing and moving along it, the initial
// and current spans, and how much the client area has grown.
Span PlaceSpan(bool centre, bool size, bool move, Span initial, Span current, int32_t newLength, int32_t growth) {
  if (centre) {
    const int32_t start = (newLength + initial.start - initial.end) / 2;
    return {start, start + (initial.end - initial.start)};
  }
  if (size || move) current.end = initial.end + growth;
  if (move) current.start = initial.start + growth;
  return current;
}

}  // namespace

LayoutRect PlaceControl(uint32_t flags, const LayoutRect& initial, const LayoutRect& current, LayoutSize initialClient,
                        LayoutSize newClient) {
  using namespace resize;
  const Span across =
      PlaceSpan((flags & kCentreX) != 0, (flags & kSizeX) != 0, (flags & kMoveX) != 0, {initial.left, initial.right},
                {current.left, current.right}, newClient.width, newClient.width - initialClient.width);
  const Span down =
      PlaceSpan((flags & kCentreY) != 0, (flags & kSizeY) != 0, (flags & kMoveY) != 0, {initial.top, initial.bottom},
                {current.top, current.bottom}, newClient.height, newClient.height - initialClient.height);
  return {across.start, down.start, across.end, down.end};
}

}  // namespace launcher::ui
