// Centring on a parent inside a work area, and the strips a resized window repaints.
#include "framework/ui/window_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CenterPosition, CentresAndKeepsInsideTheWorkArea) {
  const ZrfRect work = {0, 0, 1280, 984};
  // (400 - 200) / 2 and (300 - 100) / 2 from the parent's corner.
  ZrfPoint centred = CenterPosition({100, 100, 500, 400}, 200, 100, work);
  EXPECT_EQ(centred.x, 200);
  EXPECT_EQ(centred.y, 200);
  // Parent at the right edge: the window is pulled back to work.right - width.
  ZrfPoint pulled = CenterPosition({1200, 900, 1280, 984}, 400, 300, work);
  EXPECT_EQ(pulled.x, 880);
  EXPECT_EQ(pulled.y, 684);
  // A minimised parent at (-32000, -32000) sends the window to the work area's corner.
  ZrfPoint fromMinimised = CenterPosition({-32000, -32000, -31840, -31973}, 400, 300, work);
  EXPECT_EQ(fromMinimised.x, 0);
  EXPECT_EQ(fromMinimised.y, 0);
}

TEST(CenterPosition, WindowLargerThanTheWorkAreaAndOddSizes) {
  const ZrfRect work = {0, 0, 1280, 984};
  // Wider than the work area: the range is [1280 - 1500, 0] = [-220, 0]; centred x is -110.
  ZrfPoint wide = CenterPosition({0, 0, 1280, 984}, 1500, 100, work);
  EXPECT_EQ(wide.x, -110);
  // Integer division rounds toward zero: (101 - 200) / 2 = -49.
  ZrfPoint odd = CenterPosition({0, 0, 101, 101}, 200, 200, {-1000, -1000, 1000, 1000});
  EXPECT_EQ(odd.x, -49);
  EXPECT_EQ(odd.y, -49);
}

TEST(GrownAreaStrips, GrowShrinkAndSame) {
  ZrfRect strips[2];
  ASSERT_EQ(GrownAreaStrips(150, 80, 100, 50, strips), 2);  // shrinking: strips over the new size
  EXPECT_EQ(strips[0].left, 100);
  EXPECT_EQ(strips[0].bottom, 50);
  EXPECT_EQ(strips[1].top, 50);
  EXPECT_EQ(strips[1].right, 100);
  ASSERT_EQ(GrownAreaStrips(100, 50, 100, 60, strips), 1);
  EXPECT_EQ(GrownAreaStrips(100, 50, 100, 50, strips), 0);
}

}  // namespace
