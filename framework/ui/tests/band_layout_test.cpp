// How a bay collects its bands, finds its splitters and lays its bars out, step by step, with
// values worked out by hand.
#include "framework/ui/band_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace zrf {
namespace {

constexpr uint16_t kShown = kBarShown;

TEST(DockBands, CollectCompactsEmptyBandsAndClampsDamagedBandNumbers) {
  BandMember bars[] = {
      {0, kShown, 27},                  // band 0
      {1, 0, 50},                       // hidden: band 1 stays empty
      {2, kShown | kBarResizable, 30},  // band 2, resizable
      {2, kShown, 24},
      {20, kShown, 10},  // a band past the list: taken as band 15
  };
  BandList bands;
  CollectBands(bars, bands);
  EXPECT_EQ(bands[0], 27);
  EXPECT_EQ(bands[1], -34);  // -(30) - 4
  EXPECT_EQ(bands[2], 10);
  EXPECT_EQ(bands[3], 0);
  EXPECT_EQ(bars[0].band, 0);
  EXPECT_EQ(bars[1].band, 1);
  EXPECT_EQ(bars[2].band, 1);
  EXPECT_EQ(bars[3].band, 1);
  EXPECT_EQ(bars[4].band, 2);
  EXPECT_EQ(BayThickness(bands), 27 + 34 + 10);

  BandList none;
  CollectBands({}, none);
  EXPECT_EQ(BayThickness(none), 0);
}

TEST(DockBands, SplitterIsTheBandsLastFourPixelsOrItsFirstOnTheFarSides) {
  const BandList bands = {27, -34, 10};
  // Top and left bays: band 1 covers 27..60, its splitter 57..60.
  EXPECT_EQ(HitTestSplitter(bands, kBaySideTop, 56), -1);
  EXPECT_EQ(HitTestSplitter(bands, kBaySideTop, 57), 1);
  EXPECT_EQ(HitTestSplitter(bands, kBaySideLeft, 60), 1);
  EXPECT_EQ(HitTestSplitter(bands, kBaySideTop, 61), -1);
  EXPECT_EQ(HitTestSplitter(bands, kBaySideTop, 26), -1);  // band 0 has no splitter
  // Bottom and right bays: the splitter is 27..30.
  EXPECT_EQ(HitTestSplitter(bands, kBaySideBottom, 27), 1);
  EXPECT_EQ(HitTestSplitter(bands, kBaySideRight, 30), 1);
  EXPECT_EQ(HitTestSplitter(bands, kBaySideBottom, 31), -1);

  EXPECT_EQ(DraggedThickness(30, 10, kBaySideTop, 24), 40);
  EXPECT_EQ(DraggedThickness(30, 10, kBaySideBottom, 24), 24);  // 20 is below the minimum
  EXPECT_EQ(DraggedThickness(30, -10, kBaySideRight, 24), 40);
  EXPECT_EQ(DraggedThickness(30, -100, kBaySideLeft, 24), 24);
}

BayMember Bar(int32_t x, int32_t length, int32_t minLength, uint16_t flags = 0, int32_t thickness = 24,
              uint16_t band = 0, int32_t preferred = 0) {
  return BayMember{band, static_cast<uint16_t>(flags | kShown), x, length, thickness, minLength, preferred, {}, 0};
}

BayFrame Top(int32_t length) { return {kBaySideTop, length, -1, 16, false}; }

TEST(DockBayLayout, OverlapsAndMinimumRoomSeparateBars) {
  // B starts inside A: A is cut to end where B starts.
  std::vector<BayMember> bars = {Bar(0, 200, 50), Bar(150, 100, 40)};
  BandList bands = {24};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[0].rect, (ZrfRect{0, 0, 150, 24}));
  EXPECT_EQ(bars[1].rect, (ZrfRect{150, 0, 250, 24}));

  // B would start inside A's minimum room: it moves to 80 and A is cut there.
  bars = {Bar(30, 100, 40), Bar(0, 100, 80)};  // listed out of order: sorted by position
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[1].rect, (ZrfRect{0, 0, 80, 24}));
  EXPECT_EQ(bars[0].rect, (ZrfRect{80, 0, 180, 24}));
}

TEST(DockBayLayout, FollowingFarEndAndFillingBars) {
  // A following bar starts where the previous one ends at its preferred length, and keeps it.
  std::vector<BayMember> bars = {Bar(0, 200, 50, 0, 24, 0, 120), Bar(400, 100, 40, kBarFollows)};
  BandList bands = {24};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[0].rect.right, 120);
  EXPECT_EQ(bars[1].rect.left, 120);
  EXPECT_EQ(bars[1].placedX, 120);

  // A far-end bar is pushed against the next bar, which stays where it is.
  bars = {Bar(0, 100, 50), Bar(150, 100, 50, kBarFarEnd), Bar(450, 30, 20)};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[1].rect, (ZrfRect{350, 0, 450, 24}));
  // The last one goes to the band's end.
  bars = {Bar(0, 100, 50), Bar(150, 100, 50, kBarFarEnd)};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[1].rect, (ZrfRect{400, 0, 500, 24}));

  // A filling bar grows up to the next bar, or the band's end.
  bars = {Bar(0, 100, 50, kBarFill), Bar(300, 100, 50), Bar(420, 20, 10, kBarFill)};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[0].rect, (ZrfRect{0, 0, 300, 24}));
  EXPECT_EQ(bars[2].rect, (ZrfRect{420, 0, 500, 24}));
}

TEST(DockBayLayout, ExcessComesFromGapsThenFillingBarsThenAnyBar) {
  // A 0-150, B (filling, min 100) 200-350, C 380-580 in a band of 500. B first fills to C: 180
  // long; 80 too long: the gap before B gives 50, B's length the other 30.
  const std::vector<BayMember> start = {Bar(0, 150, 50), Bar(200, 150, 100, kBarFill), Bar(380, 200, 80)};
  std::vector<BayMember> bars = start;
  BandList bands = {24};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[0].rect, (ZrfRect{0, 0, 150, 24}));
  EXPECT_EQ(bars[1].rect, (ZrfRect{150, 0, 300, 24}));
  EXPECT_EQ(bars[2].rect, (ZrfRect{300, 0, 500, 24}));

  // In 400: 180 too long; the gap gives 50, B 80 down to its minimum, then C 50.
  bars = start;
  LayoutBay(bars, bands, Top(400));
  EXPECT_EQ(bars[1].rect, (ZrfRect{150, 0, 250, 24}));
  EXPECT_EQ(bars[2].rect, (ZrfRect{250, 0, 400, 24}));

  // A lone bar far along a narrower band moves back before it is cut.
  bars = {Bar(450, 100, 60)};
  LayoutBay(bars, bands, Top(500));
  EXPECT_EQ(bars[0].rect, (ZrfRect{400, 0, 500, 24}));
}

TEST(DockBayLayout, BandsStackAcrossWithThickestBarAndSplitters) {
  // Bottom bay: band 0 holds a resizable bar (splitter first), band 1 two bars of 20 and 26.
  std::vector<BayMember> bars = {Bar(0, 100, 50, kBarResizable, 30, 0), Bar(0, 100, 50, 0, 20, 1),
                                 Bar(200, 100, 50, 0, 26, 1)};
  const BandList bands = {-34, 26};
  const BayResult result = LayoutBay(bars, bands, {kBaySideBottom, 500, 0, 16, false});
  EXPECT_EQ(result.thickness, 60);
  EXPECT_EQ(bars[0].rect, (ZrfRect{0, 4, 100, 34}));
  EXPECT_EQ(bars[1].rect, (ZrfRect{0, 34, 100, 60}));
  EXPECT_EQ(bars[2].rect, (ZrfRect{200, 34, 300, 60}));

  // Left bay: positions run down, bands across.
  bars = {Bar(10, 100, 50, kBarResizable, 30, 0)};
  const BandList left = {-34};
  LayoutBay(bars, left, {kBaySideLeft, 500, -1, 16, false});
  EXPECT_EQ(bars[0].rect, (ZrfRect{0, 10, 30, 110}));
}

TEST(DockBayLayout, GripOnlyInTheLastBandOfTheBottomOrAnEmptyBottomsRightBay) {
  std::vector<BayMember> bars = {Bar(0, 10, 5, kBarFill, 24, 0), Bar(0, 10, 5, kBarFill, 24, 1)};
  const BandList bands = {24, 24};
  BayResult result = LayoutBay(bars, bands, {kBaySideBottom, 500, 0, 16, false});
  EXPECT_EQ(result.grip, 1);
  EXPECT_EQ(bars[0].rect.right, 500);  // not the last band: the full length
  EXPECT_EQ(bars[1].rect.right, 484);  // the grip's square is taken off

  result = LayoutBay(bars, bands, {kBaySideRight, 500, 0, 16, true});
  EXPECT_EQ(result.grip, 0);
  EXPECT_EQ(bars[1].rect.bottom, 500);
  result = LayoutBay(bars, bands, {kBaySideRight, 500, 0, 16, false});
  EXPECT_EQ(result.grip, 1);
  result = LayoutBay(bars, bands, {kBaySideBottom, 500, -1, 16, false});
  EXPECT_EQ(result.grip, -1);
  EXPECT_EQ(LayoutBay({}, BandList{}, {kBaySideBottom, 500, 1, 16, false}).grip, 0);
}

}  // namespace
}  // namespace zrf
