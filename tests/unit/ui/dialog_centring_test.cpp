#include "ui/dialog_centring.h"

#include <gtest/gtest.h>

namespace launcher::ui {

namespace {

const LayoutRect kArea{0, 0, 1024, 738};  // a work area above a 30-pixel task bar

struct CentringCase {
  const char* name;
  LayoutSize dialog;
  LayoutRect centreOn;
  LayoutRect area;
  LayoutPoint expected;
};

class DialogCentringTest : public testing::TestWithParam<CentringCase> {};

TEST_P(DialogCentringTest, Places) {
  const CentringCase& c = GetParam();
  EXPECT_EQ(CentredPosition(c.dialog, c.centreOn, c.area), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ui, DialogCentringTest,
    testing::Values(
        CentringCase{"InTheWorkArea", {300, 200}, kArea, kArea, {362, 269}},
        // Odd sizes: each half is cut toward zero.
        CentringCase{"OddSizes", {301, 201}, {0, 0, 1023, 737}, kArea, {361, 268}},
        CentringCase{"OnTheOwner", {100, 50}, {200, 100, 400, 300}, kArea, {250, 175}},
        CentringCase{"OwnerNearTheRightEdgePushesLeft", {300, 200}, {900, 100, 1100, 300}, kArea, {724, 100}},
        CentringCase{"OwnerNearTheBottomPushesUp", {300, 200}, {100, 700, 300, 760}, kArea, {50, 538}},
        CentringCase{"OwnerOffTheLeftPushesRight", {300, 200}, {-400, -300, -100, -200}, kArea, {0, 0}},
        CentringCase{"LargerThanTheAreaStartsAtItsTopLeft", {1200, 900}, kArea, kArea, {0, 0}},
        CentringCase{"AreaOfASecondMonitor", {300, 200}, {1024, 0, 2048, 768}, {1024, 0, 2048, 768}, {1386, 284}},
        // Negative coordinates: the division still truncates toward zero.
        CentringCase{"MonitorLeftOfThePrimary", {301, 201}, {-1023, 0, 0, 767}, {-1023, 0, 0, 767}, {-661, 283}}),
    [](const testing::TestParamInfo<CentringCase>& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace launcher::ui
