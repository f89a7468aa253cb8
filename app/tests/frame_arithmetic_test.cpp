// The plant window's frame arithmetic with values worked out by hand on a 1000 x 800 screen,
// and the flat or empty rectangles that must never divide by zero.
#include "app/frame_arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace plant {

bool operator==(const PixelRect& a, const PixelRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace plant

namespace plantapp {
namespace {

using plant::PixelRect;

constexpr int32_t kWidth = 1000;
constexpr int32_t kHeight = 800;
constexpr PlantPlacement kPlacement{2.0, 0.5, 0.75};  // anchor at (500, 600)
constexpr PixelRect kRect{400, 500, 500, 600};        // 100 x 100

TEST(AdoptFrame, MoveShiftsTheAnchorResizeScalesSizeAndAnchorByTheHeight) {
  const FrameAdoption moved = AdoptFrame(kPlacement, kRect, PixelRect{450, 450, 550, 550}, kWidth, kHeight);
  EXPECT_FALSE(moved.heightChanged);
  EXPECT_EQ(moved.placement.sizeFactor, 2.0);
  EXPECT_DOUBLE_EQ(moved.placement.anchorY, 550.0 / 800);  // (600 - 500) + 450
  const FrameAdoption resized = AdoptFrame(kPlacement, kRect, PixelRect{400, 550, 450, 600}, kWidth, kHeight);
  EXPECT_TRUE(resized.heightChanged);
  EXPECT_EQ(resized.placement.sizeFactor, 1.0);
  EXPECT_EQ(resized.placement.anchorX, 0.45);  // (500 - 400) / 2 + 400
  EXPECT_EQ(resized.placement.anchorY, 0.75);  // (600 - 500) / 2 + 550
}

TEST(AdoptFrame, FlatEmptyOrScreenlessRectanglesNeverGiveNaN) {
  // A flat rectangle from the plant file: no scaling, the anchor follows the frame.
  const FrameAdoption fromFlat =
      AdoptFrame(kPlacement, PixelRect{400, 500, 500, 500}, PixelRect{400, 600, 500, 700}, kWidth, kHeight);
  EXPECT_TRUE(fromFlat.heightChanged);
  EXPECT_EQ(fromFlat.placement.sizeFactor, 2.0);
  EXPECT_EQ(fromFlat.placement.anchorY, 0.875);  // (600 - 500) + 600
  const FrameAdoption toEmpty = AdoptFrame(kPlacement, kRect, PixelRect{0, 0, 0, 0}, kWidth, kHeight);
  EXPECT_EQ(toEmpty.placement.sizeFactor, 2.0);
  const FrameAdoption noScreen = AdoptFrame(kPlacement, kRect, PixelRect{0, 0, 10, 10}, 0, 0);
  EXPECT_EQ(noScreen.placement.anchorX, 0.5);
  EXPECT_EQ(noScreen.placement.anchorY, 0.75);
  const PlantPlacement huge{std::numeric_limits<double>::max(), 0.5, 0.5};
  EXPECT_EQ(AdoptFrame(huge, kRect, PixelRect{0, 0, 10, 1000}, kWidth, kHeight).placement.sizeFactor, huge.sizeFactor);
}

TEST(SizeLimits, PixelsOfTheRecordsFractions) {
  const SizeLimits limits{0.5 * 1024, 1.5 * 1024, 0.25 * 768, std::nan("") * 768};
  const int32_t expected[] = {0, 512, 1536, 192, 0, 0};  // kinds 0 to 5
  for (int32_t kind = 0; kind <= 5; ++kind) EXPECT_EQ(FrameLimit(limits, kind), expected[kind]) << kind;
}

// A 200 x 300 picture at size factor 2: natural size 100 x 150; moves of 20, steps of 10.
constexpr PixelRect kFrame{100, 100, 300, 400};
constexpr SizeLimits kWide{0, 4096, 0, 3072};

PixelRect Request(uint32_t bits, const SizeLimits& limits = kWide, const PixelRect& frame = kFrame,
                  double sizeFactor = 2.0) {
  return ApplyOptionsPageRequest(bits, frame, kFrame, sizeFactor, kWidth, kHeight, limits);
}

TEST(OptionsPageRequest, CentreMoveGrowAndShrink) {
  EXPECT_EQ(Request(kCentreFrame), (PixelRect{450, 325, 550, 475}));
  EXPECT_EQ(Request(kMoveLeft | kMoveUp), (PixelRect{80, 80, 280, 380}));
  // dy = 10 x 150 / 100 = 15 per side.
  EXPECT_EQ(Request(kGrowFrame), (PixelRect{90, 85, 310, 415}));
  EXPECT_EQ(Request(kShrinkFrame, SizeLimits{190, 4096, 0, 3072}), (PixelRect{110, 115, 290, 385}));
}

TEST(OptionsPageRequest, LimitsStopGrowingAndShrinking) {
  // One step is checked although the frame would grow by two, one on each side.
  EXPECT_EQ(Request(kGrowFrame, SizeLimits{0, 209, 0, 3072}), kFrame);
  EXPECT_EQ(Request(kGrowFrame, SizeLimits{0, 210, 0, 3072}), (PixelRect{90, 85, 310, 415}));
  EXPECT_EQ(Request(kShrinkFrame, SizeLimits{191, 4096, 0, 3072}), kFrame);
}

TEST(OptionsPageRequest, FlatSeedlingAndHostileFramesNeitherDivideByZeroNorOverflow) {
  // Natural width trunc(2 / 3) = 0: the frame's own shape gives dy = 10 x 300 / 2.
  const PixelRect thin{100, 100, 102, 400};
  EXPECT_EQ(ApplyOptionsPageRequest(kGrowFrame, thin, thin, 3.0, kWidth, kHeight, kWide),
            (PixelRect{90, -1400, 112, 1900}));
  const PixelRect flat{100, 100, 100, 100};
  EXPECT_EQ(ApplyOptionsPageRequest(kGrowFrame, flat, flat, 0.0, kWidth, kHeight, kWide), (PixelRect{90, 100, 110, 100}));
  const PixelRect edge{INT32_MAX - 5, 0, INT32_MAX, 10};
  EXPECT_EQ(Request(kMoveRight, kWide, edge).right, INT32_MAX);
}

TEST(DisplayChange, ThePlantKeepsItsPlaceOnTheScreen) {
  plant::PlantRecord record{};
  record.pixelScale = 0.5;
  const PixelRect rect{128, 96, 256, 192};
  const DisplayChange change = FollowDisplayChange(rect, record, 1024, 768, 1280, 1024);
  EXPECT_EQ(change.rectLeft, 0.125);
  EXPECT_EQ(change.rectBottom, 0.25);
  EXPECT_EQ(change.rect, (PixelRect{160, 128, 320, 256}));
  EXPECT_EQ(change.pixelsPerUnit, 512.0);
  // Without a known old size the rectangle stays and its fractions follow the new screen.
  const DisplayChange fromNothing = FollowDisplayChange(rect, record, 0, 0, 1280, 1024);
  EXPECT_EQ(fromNothing.rect, rect);
  EXPECT_EQ(fromNothing.rectLeft, 0.1);
}

TEST(PlantWindowAnswers, AspectOfAFlatFrameAndIdentifyIgnoringCase) {
  EXPECT_EQ(FrameAspectRatio(PixelRect{0, 0, 3, 2}), static_cast<double>(2.0f / 3.0f));
  EXPECT_EQ(FrameAspectRatio(PixelRect{5, 5, 5, 50}), 1.0);
  char checked[256] = "c:\\USERS\\me\\fern.PLT";
  EXPECT_TRUE(IsSamePlantPath("C:\\Users\\ME\\Fern.plt", checked));
  EXPECT_FALSE(IsSamePlantPath("C:\\Users\\ME\\Fern2.plt", checked));
  // An unterminated name is compared over its 256 bytes only.
  std::fill(std::begin(checked), std::end(checked), 'p');
  EXPECT_TRUE(IsSamePlantPath(std::string(300, 'P').c_str(), checked));
}

}  // namespace
}  // namespace plantapp
