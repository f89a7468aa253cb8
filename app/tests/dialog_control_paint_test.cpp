// What the self-drawn controls paint, worked out by hand.
#include "app/dialog_control_paint.h"

#include <gtest/gtest.h>

namespace plantapp {
namespace {

constexpr ZrfRect kBar{0, 0, 100, 12};

TEST(LevelBar, EmptyShowsOneColumnAndFullStopsAtTheEdge) {
  const LevelBarParts empty = LevelBarPartsFor(kBar, 0.0);
  EXPECT_EQ(empty.kept, (ZrfRect{0, 0, 1, 12}));
  EXPECT_EQ(empty.fill, (ZrfRect{0, 1, 1, 12}));
  EXPECT_EQ(LevelBarPartsFor(kBar, 0.5).kept.right, 51);
  EXPECT_EQ(LevelBarPartsFor(kBar, 1.0).kept.right, 100);
  EXPECT_EQ(LevelBarPartsFor(kBar, -0.3).fill.right, 1);  // the plant's level may fall below 0
}

TEST(LightIndicator, GreyIsTheFourthRootOfTheLight) {
  EXPECT_EQ(LightGrey(0.0625), 0x7F7F7Fu);  // 0.5 x 255 = 127.5
  EXPECT_EQ(LightGrey(1.0), 0xFFFFFFu);
  EXPECT_EQ(LightGrey(0.0), 0u);
  EXPECT_EQ(LightGrey(1.5), 0xFFFFFFu);
  EXPECT_EQ(PatchRect({0, 0, 30, 20}), (ZrfRect{2, 2, 28, 18}));  // inside the etched frame
}

TEST(HealthBar, ColourBandsAndFill) {
  EXPECT_EQ(HealthColour(71), 0x00E600u);
  EXPECT_EQ(HealthColour(70), 0x00E6E6u);
  EXPECT_EQ(HealthColour(31), 0x00E6E6u);
  EXPECT_EQ(HealthColour(30), 0x0000E6u);
  EXPECT_EQ(HealthFill({0, 0, 200, 10}, 50).right, 100);
  EXPECT_EQ(HealthFill({0, 0, 200, 10}, 150).right, 200);
  EXPECT_EQ(SwatchColour(plant::StoredColour{9, 0x30, 0x20, 0x10}), 0x302010u);
}

}  // namespace
}  // namespace plantapp
