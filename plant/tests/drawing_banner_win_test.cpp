// The drawing banner (bitmap 511 linked into this program) and the picture rescale on real DIB
// pictures: the bitmap's pixels centred, growth at 144 DPI, the transparency key inside the
// banner, and the cases that leave the picture alone. With VERDELO_PICTURE_DIR it also writes the
// banner at 96 and 144 DPI as PNG files for a look.
#include "plant/drawing_banner_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plant/picture_rescale_win.h"
#include "resources/resource_ids.h"
#include "tools/render/picture_file.h"
#include "tools/testsupport/wine_path.h"

namespace plant {
namespace {

constexpr int kBannerWidth = 152;  // tools/make_banner.py
constexpr int kBannerHeight = 36;
constexpr uint32_t kFill = 0xFF336699u;

int Dpi96(const RECT&) { return 96; }
int Dpi144(const RECT&) { return 144; }

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

void MakePicture(PlantPicture& picture, const RECT& rect, uint32_t colour) {
  PictureObjects fresh;
  ASSERT_TRUE(CreateDibPicture(nullptr, rect, &fresh));
  std::fill(fresh.bits, fresh.bits + fresh.Width() * fresh.Height(), colour);
  picture.Swap(&fresh);
}

uint32_t PixelAt(PlantPicture& picture, int x, int y) {
  return picture.Objects().bits[y * picture.Objects().Width() + x];
}

// The banner bitmap as top-down 32-bit pixels, keyed as the picture keys them.
std::vector<uint32_t> BannerPixels() {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(Self(), MAKEINTRESOURCEA(IDB_DRAWING_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  std::vector<uint32_t> pixels(kBannerWidth * kBannerHeight);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  info.header = {sizeof(BITMAPINFOHEADER), kBannerWidth, -kBannerHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDIBits(screen, bitmap, 0, kBannerHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                      DIB_RGB_COLORS),
            kBannerHeight);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  for (uint32_t& p : pixels) p = (p & 0xFFFFFFu) == 0 ? 0 : (p | 0xFF000000u);
  return pixels;
}

TEST(DrawingBanner, LargePictureShowsTheBitmapCentredWithItsBlackTransparent) {
  PlantPicture picture;
  MakePicture(picture, RECT{10, 20, 310, 120}, kFill);
  ASSERT_TRUE(ShowDrawingBanner(picture, nullptr, Self(), Dpi96));
  EXPECT_EQ(picture.Objects().rect.right, 310);
  EXPECT_EQ(picture.Objects().rect.bottom, 120);
  // At (300 - 152) / 2 = 74 and (100 - 36) / 2 = 32; the bitmap's black corner becomes transparent.
  const std::vector<uint32_t> banner = BannerPixels();
  ASSERT_EQ(banner[0], 0u);
  for (int y = 0; y < kBannerHeight; ++y) {
    for (int x = 0; x < kBannerWidth; ++x) {
      ASSERT_EQ(PixelAt(picture, 74 + x, 32 + y), banner[y * kBannerWidth + x]) << x << "," << y;
    }
  }
  EXPECT_EQ(PixelAt(picture, 73, 50), kFill);
  EXPECT_EQ(PixelAt(picture, 100, 31), kFill);
}

TEST(DrawingBanner, At144DpiASmallPictureGrowsAroundItsOldPlace) {
  PlantPicture picture;
  MakePicture(picture, RECT{100, 100, 120, 110}, kFill);
  ASSERT_TRUE(ShowDrawingBanner(picture, nullptr, Self(), Dpi144));
  // 152 x 1.5 = 228 and 36 x 1.5 = 54; the 20 x 10 picture lay 104 and 22 pixels in.
  const RECT rect = picture.Objects().rect;
  EXPECT_EQ(rect.left, -4);
  EXPECT_EQ(rect.top, 78);
  EXPECT_EQ(rect.right, 224);
  EXPECT_EQ(rect.bottom, 132);
  // Source pixel (100, 18) of the panel fills destination pixels 150 and 151 across, 27 down.
  const uint32_t panel = BannerPixels()[18 * kBannerWidth + 100];
  EXPECT_EQ(PixelAt(picture, 150, 27), panel);
  EXPECT_EQ(PixelAt(picture, 151, 27), panel);
}

TEST(DrawingBanner, MissingBitmapLeavesThePictureAlone) {
  PlantPicture picture;
  MakePicture(picture, RECT{0, 0, 10, 10}, kFill);
  const HDC before = picture.Objects().dc.Get();
  EXPECT_FALSE(ShowDrawingBanner(picture, nullptr, GetModuleHandleA("kernel32.dll"), Dpi96));
  EXPECT_EQ(picture.Objects().dc.Get(), before);
}

TEST(DrawingBanner, PicturesToLookAt) {
#ifdef VERDELO_PICTURE_DIR
  for (int dpi : {96, 144}) {
    PlantPicture picture;
    MakePicture(picture, RECT{0, 0, 400, 240}, 0);
    PictureObjects& shown = picture.Objects();
    for (int i = 0; i < 400 * 240; ++i) {
      if ((i % 400 / 20 + i / 400 / 20) % 2 == 0) shown.bits[i] = 0xFF000040u | (i % 400 * 255 / 400) << 8;
    }
    ASSERT_TRUE(ShowDrawingBanner(picture, nullptr, Self(), dpi == 96 ? Dpi96 : Dpi144));
    const std::string path =
        ToWinePath(std::string(VERDELO_PICTURE_DIR) + "/banner_" + std::to_string(dpi) + "dpi.png");
    EXPECT_TRUE(render_tool::WritePng(path, shown.bits, shown.Width(), shown.Height()));
  }
#endif
}

TEST(PictureRescale, SameSizeCopiesDoubleSizeStretchesEmptyRefuses) {
  PlantPicture picture;
  MakePicture(picture, RECT{0, 0, 4, 2}, kFill);
  picture.Objects().bits[1] = 0xFF00FF00u;  // (1, 0)
  picture.Objects().bits[6] = 0;            // (2, 1): transparent
  const std::vector<uint32_t> before(picture.Objects().bits, picture.Objects().bits + 8);
  ASSERT_TRUE(RescalePicture(picture, nullptr, RECT{5, 5, 9, 7}));
  EXPECT_EQ(std::vector<uint32_t>(picture.Objects().bits, picture.Objects().bits + 8), before);

  ASSERT_TRUE(RescalePicture(picture, nullptr, RECT{0, 0, 8, 4}));
  EXPECT_EQ(PixelAt(picture, 3, 1), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(picture, 5, 3), 0u);
  EXPECT_EQ(PixelAt(picture, 7, 3), kFill);

  const HDC kept = picture.Objects().dc.Get();
  EXPECT_FALSE(RescalePicture(picture, nullptr, RECT{10, 10, 10, 20}));
  EXPECT_EQ(picture.Objects().dc.Get(), kept);
  EXPECT_EQ(picture.Objects().rect.right, 8);
}

}  // namespace
}  // namespace plant
