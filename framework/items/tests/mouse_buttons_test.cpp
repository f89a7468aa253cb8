// Button masks of item events and double clicks found by time.
#include "framework/items/mouse_buttons.h"

#include <gtest/gtest.h>

namespace {

TEST(MouseButtons, MaskIsTheMessagesButtonAndTheHeldOnes) {
  EXPECT_EQ(MouseButtonMask(kButtonLeft, kKeyStateLeft), 1u);
  EXPECT_EQ(MouseButtonMask(kButtonLeft, kKeyStateLeft | kKeyStateRight), 3u);
  EXPECT_EQ(MouseButtonMask(kButtonLeft, kKeyStateMiddle), 5u);
  EXPECT_EQ(MouseButtonMask(kButtonRight, kKeyStateLeft), 3u);
  EXPECT_EQ(MouseButtonMask(kButtonMiddle, kKeyStateRight), 6u);
  // A release: the key state no longer holds the released button.
  EXPECT_EQ(MouseButtonMask(kButtonRight, 0), 2u);
  EXPECT_EQ(ButtonSlot(kButtonMiddle), 2);
  EXPECT_EQ(ButtonSlot(3), -1);
}

TEST(MouseButtons, DoubleClickByTimeAlone) {
  EXPECT_TRUE(IsDoubleClick(1000, 1100, 500));
  EXPECT_FALSE(IsDoubleClick(1000, 1500, 500));
  EXPECT_FALSE(IsDoubleClick(1000, 1600, 500));
  // The first press of a button after start is never the second half of a double click.
  EXPECT_FALSE(IsDoubleClick(0, 100, 500));
  EXPECT_FALSE(IsDoubleClick(1000, 900, 500));
}

}  // namespace
