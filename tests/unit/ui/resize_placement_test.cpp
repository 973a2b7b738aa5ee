#include "ui/resize_placement.h"

#include <gtest/gtest.h>

namespace launcher::ui {

namespace {

using namespace resize;

const LayoutSize kFirst{400, 300};
const LayoutRect kInitial{20, 30, 120, 80};

struct PlacementCase {
  const char* name;
  uint32_t flags;
  LayoutSize client;
  LayoutRect current;
  LayoutRect expected;
};

class ResizePlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(ResizePlacementTest, Places) {
  const PlacementCase& c = GetParam();
  EXPECT_EQ(PlaceControl(c.flags, kInitial, c.current, kFirst, c.client), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ui, ResizePlacementTest,
    testing::Values(
        // Widened by 100, made 50 taller.
        PlacementCase{"SizeXGrowsTheRightEdge", kSizeX, {500, 350}, kInitial, {20, 30, 220, 80}},
        PlacementCase{"SizeYGrowsTheBottomEdge", kSizeY, {500, 350}, kInitial, {20, 30, 120, 130}},
        PlacementCase{"SizeBoth", kSizeX | kSizeY, {500, 350}, kInitial, {20, 30, 220, 130}},
        PlacementCase{"MoveBoth", kMoveX | kMoveY, {500, 350}, kInitial, {120, 80, 220, 130}},
        PlacementCase{"SizeXMoveY", kSizeX | kMoveY, {500, 350}, kInitial, {20, 80, 220, 130}},
        PlacementCase{"SmallerThanAtFirst", kSizeX | kMoveY, {390, 280}, kInitial, {20, 10, 110, 60}},
        // Edges that do not follow stay where the control is now.
        PlacementCase{"SizeXKeepsTheCurrentLeft", kSizeX, {500, 350}, {25, 35, 60, 90}, {25, 35, 220, 90}},
        PlacementCase{"NoFlagsKeepTheCurrentPlace", kRepaint, {500, 350}, {25, 35, 60, 90}, {25, 35, 60, 90}},
        // Centred on the new client area, the initial size kept; halves cut toward zero.
        PlacementCase{"CentreX", kCentreX, {501, 350}, kInitial, {200, 30, 300, 80}},
        PlacementCase{"CentreY", kCentreY, {500, 351}, kInitial, {20, 150, 120, 200}},
        PlacementCase{"CentreNarrowerThanTheControl", kCentreX, {50, 300}, kInitial, {-25, 30, 75, 80}},
        PlacementCase{"CentreWinsOverSize", kCentreX | kSizeX, {500, 350}, kInitial, {200, 30, 300, 80}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(ResizeFlagsTest, WhichFlagsPlaceTheControl) {
  EXPECT_FALSE(Places(0));
  EXPECT_FALSE(Places(kGrip));
  EXPECT_TRUE(Places(kRepaint));
  EXPECT_TRUE(Places(kMoveX | kMoveY | kRepaint | kGrip));
}

}  // namespace

}  // namespace launcher::ui
