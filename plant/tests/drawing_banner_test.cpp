// Banner layout worked out by hand: a picture that holds the banner, one that must grow in one
// direction (an odd difference), 144 DPI, and rectangles at negative and extreme coordinates.
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

TEST(BannerLayout, HighDpiScalesInIntegers) {
  // 101 x 144 / 96 = 151.5, cut to 151; 35 x 1.5 = 52.5, cut to 52.
  const BannerLayout layout = LayOutBanner(PixelRect{0, 0, 0, 0}, 101, 35, 144);
  EXPECT_EQ(layout.bannerWidth, 151);
  EXPECT_EQ(layout.bannerHeight, 52);
  EXPECT_EQ(layout.rect.left, -75);
  EXPECT_EQ(layout.rect.right, 76);
  EXPECT_EQ(LayOutBanner(PixelRect{0, 0, 0, 0}, 101, 35, 0).bannerWidth, 101);
}

TEST(BannerLayout, NegativeAndExtremeRectanglesKeepTheirWidthAndNeverWrap) {
  // Left of the virtual screen's origin the new rectangle is still exactly as wide as the picture.
  const BannerLayout left = LayOutBanner(PixelRect{-301, -7, -290, 40}, 152, 36, 96);
  EXPECT_EQ(left.rect.right - left.rect.left, 152);
  EXPECT_EQ(left.rect.left, -301 - 70);
  const BannerLayout edge = LayOutBanner(PixelRect{INT32_MIN, INT32_MIN, INT32_MIN + 2, INT32_MIN + 2}, 152, 36, 96);
  EXPECT_EQ(edge.rect.left, INT32_MIN);
  EXPECT_EQ(edge.rect.top, INT32_MIN);
  const BannerLayout reversed = LayOutBanner(PixelRect{50, 50, 10, 10}, 152, 36, 96);
  EXPECT_EQ(reversed.pictureWidth, 152);
  EXPECT_EQ(reversed.oldX, 76);
}

}  // namespace
}  // namespace plant
