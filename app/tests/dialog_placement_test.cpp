// The plant dialog's place beside the plant, worked out by hand on a 1024 x 768 desktop for a
// dialog of 300 x 200 that the framework first centred at (362, 284).
#include "app/dialog_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace plantapp {
namespace {

constexpr ZrfRect kScreen{0, 0, 1024, 768};
constexpr ZrfPoint kCentred{362, 284};

ZrfPoint Place(const ZrfRect& frame, const ZrfRect& screen = kScreen) {
  return PlaceDialogAtFrame(frame, screen, 300, 200, kCentred);
}

TEST(DialogPlacement, CornerOnTheFrameCentreWhereItFits) {
  const ZrfPoint p = Place({400, 300, 500, 500});  // centre (450, 400)
  EXPECT_EQ(p.x, 450);
  EXPECT_EQ(p.y, 400);
}

TEST(DialogPlacement, FlipsToTheLeftAndAboveNearTheRightAndBottomEdges) {
  const ZrfPoint right = Place({860, 300, 1000, 500});  // centre x 930: 930 + 300 > 1024
  EXPECT_EQ(right.x, 630);
  EXPECT_EQ(right.y, 400);
  const ZrfPoint bottom = Place({400, 600, 500, 740});  // centre y 670: 670 + 200 > 768
  EXPECT_EQ(bottom.x, 450);
  EXPECT_EQ(bottom.y, 470);
}

TEST(DialogPlacement, FrameCentredOffTheScreenPutsTheDialogAtItsNearEdge) {
  EXPECT_EQ(Place({1000, 300, 1200, 500}).x, 700);  // centre 1100 right of the screen: left edge - 300
  EXPECT_EQ(Place({-200, 300, 100, 500}).x, 100);   // centre -50 left of it: right edge
  EXPECT_EQ(Place({400, 700, 500, 900}).y, 500);    // centre 800 below it: top edge - 200
}

TEST(DialogPlacement, StaysWhereItIsWhenNeitherSideFitsAndIsKeptOnTheScreen) {
  // 400 wide, the dialog centred at 50: 200 + 300 passes the right edge and 200 - 300 the left.
  EXPECT_EQ(PlaceDialogAtFrame({150, 300, 250, 500}, {0, 0, 400, 768}, 300, 200, {50, 284}).x, 50);
  EXPECT_EQ(PlaceDialogAtFrame({150, 300, 250, 500}, {0, 0, 400, 768}, 300, 200, {350, 284}).x, 100);
  // A frame at the end of the 32-bit range still gives a dialog inside the screen.
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const ZrfPoint far = Place({kMax - 10, kMax - 10, kMax, kMax});
  EXPECT_EQ(far.x, 1024 - 300);
  EXPECT_EQ(far.y, 768 - 200);
}

}  // namespace
}  // namespace plantapp
