// Banner layout worked out by hand: a picture that holds the banner, one that must grow in one
// direction (an odd difference), and rectangles at negative, extreme and reversed coordinates.
#include "plant/drawing_banner.h"

#include <gtest/gtest.h>

namespace plant {
namespace {

TEST(BannerLayout, PictureLargeEnoughKeepsItsRectangle) {
  const BannerLayout layout = LayOutBanner(PixelRect{10, 20, 310, 120}, 152, 36, 96);
  EXPECT_FALSE(layout.enlarge);
  EXPECT_EQ(layout.rect.left, 10);
  EXPECT_EQ(layout.rect.bottom, 120);
  EXPECT_EQ(layout.bannerX, 74);
  EXPECT_EQ(layout.bannerY, 32);
}

TEST(BannerLayout, OddDifferenceMovesTheLeftSideOneLessThanTheRight) {
  const BannerLayout layout = LayOutBanner(PixelRect{1000, 50, 1101, 250}, 152, 36, 96);
  EXPECT_TRUE(layout.enlarge);
  EXPECT_EQ(layout.pictureWidth, 152);
  EXPECT_EQ(layout.pictureHeight, 200);
  EXPECT_EQ(layout.oldX, 25);
  EXPECT_EQ(layout.oldY, 0);
  EXPECT_EQ(layout.rect.left, 975);
  EXPECT_EQ(layout.rect.right, 1127);
  EXPECT_EQ(layout.bannerX, 0);
  EXPECT_EQ(layout.bannerY, 82);
}

TEST(BannerLayout, NegativeAndExtremeRectanglesKeepTheirWidthAndNeverWrap) {
  // Left of the virtual screen's origin the new rectangle is still exactly as wide as the picture.
  const BannerLayout left = LayOutBanner(PixelRect{-301, -7, -290, 40}, 152, 36, 96);
  EXPECT_EQ(left.rect.right - left.rect.left, 152);
  EXPECT_EQ(left.rect.left, -301 - 70);
  const BannerLayout edge = LayOutBanner(PixelRect{INT32_MIN, INT32_MIN, INT32_MIN + 2, INT32_MIN + 2}, 152, 36, 96);
  EXPECT_EQ(edge.rect.left, INT32_MIN);
  EXPECT_EQ(edge.rect.top, INT32_MIN);
  // 101 x 144 / 96 = 151.5 is cut to 151; a reversed rectangle counts as empty.
  const BannerLayout reversed = LayOutBanner(PixelRect{50, 50, 10, 10}, 101, 36, 144);
  EXPECT_EQ(reversed.pictureWidth, 151);
  EXPECT_EQ(reversed.oldX, 75);
}

}  // namespace
}  // namespace plant
