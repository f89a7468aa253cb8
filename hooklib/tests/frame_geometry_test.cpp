// Frame zones, cursors and drag tracking, with values worked out by hand.
#include "hooklib/frame_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace ostrel {
namespace {

constexpr Rect32 kFrame{100, 100, 300, 400};
constexpr FrameLimits kLoose{1, 100000, 1, 100000};

DragStart Drag(int32_t zone, FrameLimits limits = kLoose, Rect32 frame = kFrame,
               double aspect = static_cast<double>(1.5f)) {
  return DragStart{zone, frame, aspect, Point32{200, 250}, limits};
}

TEST(HitTestFrame, ZonesOfEachEdgeCornerAndTheInside) {
  struct Row {
    Point32 p;
    int32_t zone;
  };
  const Row rows[] = {
      {{103, 110}, 9},  {{103, 250}, 8},  {{200, 250}, 16}, {{297, 110}, 3}, {{297, 395}, 6},
      {{103, 395}, 12}, {{200, 103}, 1},  {{200, 397}, 4},  {{297, 250}, 2}, {{105, 250}, 8},
      {{106, 250}, 16}, {{200, 105}, 1},  {{200, 106}, 16}, {{110, 250}, 16},
      // Right and bottom edges are outside, as PtInRect has them.
      {{300, 250}, 0},  {{99, 250}, 0},   {{200, 400}, 0},  {{200, 99}, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(HitTestFrame(row.p, kFrame, true), row.zone) << row.p.x << "," << row.p.y;
  }
}

TEST(HitTestFrame, PointOnAnIconIsNoZone) {
  EXPECT_EQ(HitTestFrame({200, 250}, kFrame, false), kZoneNone);
  EXPECT_EQ(HitTestFrame({103, 110}, kFrame, false), kZoneNone);
}

TEST(HitTestFrame, NarrowFrameGivesCombinationsThatAreNoZone) {
  const Rect32 narrow{100, 100, 122, 300};
  EXPECT_EQ(HitTestFrame({104, 150}, narrow, true), kZoneLeft | kZoneRight);
  EXPECT_EQ(CursorForZone(kZoneLeft | kZoneRight), FrameCursor::Keep);
  EXPECT_EQ(TrackFrameRect(Drag(10, kLoose, narrow), {50, 50}), narrow);
  EXPECT_EQ(TrackFrameRect(Drag(5), {50, 50}), kFrame);
  EXPECT_EQ(TrackFrameRect(Drag(kZoneNone), {50, 50}), kFrame);
}

TEST(CursorForZone, EachZoneHasItsCursor) {
  EXPECT_EQ(CursorForZone(0), FrameCursor::Arrow);
  EXPECT_EQ(CursorForZone(1), FrameCursor::SizeNS);
  EXPECT_EQ(CursorForZone(4), FrameCursor::SizeNS);
  EXPECT_EQ(CursorForZone(2), FrameCursor::SizeWE);
  EXPECT_EQ(CursorForZone(8), FrameCursor::SizeWE);
  EXPECT_EQ(CursorForZone(3), FrameCursor::SizeNESW);
  EXPECT_EQ(CursorForZone(12), FrameCursor::SizeNESW);
  EXPECT_EQ(CursorForZone(6), FrameCursor::SizeNWSE);
  EXPECT_EQ(CursorForZone(9), FrameCursor::SizeNWSE);
  EXPECT_EQ(CursorForZone(16), FrameCursor::SizeAll);
  EXPECT_EQ(CursorForZone(7), FrameCursor::Keep);
}

TEST(TrackFrameRect, EdgeDragsClampToTheLimitsAndStayCentred) {
  // Top to 10 above the bottom: minH 60 wins, width 60 / 1.5 = 40 around cx 200.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneTop, {30, 1000, 60, 1000}), {200, 390}),
            (Rect32{180, 340, 220, 400}));
  // Top to 0 with maxH 360: height 360, width 240.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneTop, {1, 1000, 1, 360}), {200, 0}),
            (Rect32{80, 40, 320, 400}));
  // Top without limits: height 300 -> half width 100 around cx 200.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneTop), {0, 100}), kFrame);
  // Width clamp after the height: minW 100 makes top trunc(400 - 150) and width 100.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneTop, {100, 1000, 1, 1000}), {200, 370}),
            (Rect32{150, 250, 250, 400}));
  // Bottom mirrored, maxW 150 clamps: bottom trunc(100 + 225), half 75.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneBottom, {1, 150, 1, 1000}), {0, 700}),
            (Rect32{125, 100, 275, 325}));
  // Right dragged left of the fixed left edge: never flips, minW 40 wide at L.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneRight, {40, 1000, 10, 1000}), {50, 250}),
            (Rect32{100, 220, 140, 280}));
  // Right: width 300, half height 225 around cy 250.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneRight), {400, 0}), (Rect32{100, 25, 400, 475}));
  // Left: maxH 300 after maxW: left trunc(300 - 200), height 300.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneLeft, {1, 1000, 1, 300}), {-100, 0}),
            (Rect32{100, 100, 300, 400}));
  // Left with minH 200 on a small drag: left trunc(300 - 133.33), height 200.
  EXPECT_EQ(TrackFrameRect(Drag(kZoneLeft, {1, 1000, 200, 1000}), {290, 0}),
            (Rect32{166, 150, 300, 350}));
}

TEST(TrackFrameRect, CornerDragsFollowTheLargerMovement) {
  // Mostly vertical: the height drives, right = trunc(100 + 500 / 1.5).
  EXPECT_EQ(TrackFrameRect(Drag(6), {310, 600}), (Rect32{100, 100, 433, 599}));
  EXPECT_EQ(TrackFrameRect(Drag(6, {1, 250, 1, 1000}), {310, 600}), (Rect32{100, 100, 350, 475}));
  EXPECT_EQ(TrackFrameRect(Drag(9), {50, 90}), (Rect32{50, 25, 300, 400}));
  // Top-right: width 100 drives, top = 400 - 150.
  EXPECT_EQ(TrackFrameRect(Drag(3), {200, 390}), (Rect32{100, 250, 200, 400}));
  // Bottom-left beyond the fixed corner: clamped to minW 30, bottom trunc(100 + 45).
  EXPECT_EQ(TrackFrameRect(Drag(12, {30, 1000, 1, 1000}), {500, 0}), (Rect32{270, 100, 300, 145}));
  // minH after minW: bottom = 100 + 90, right = trunc(100 + 60).
  EXPECT_EQ(TrackFrameRect(Drag(6, {30, 1000, 90, 1000}), {0, 0}), (Rect32{100, 100, 160, 190}));
  // maxH last: bottom 100 + 200, right trunc(100 + 133.33).
  EXPECT_EQ(TrackFrameRect(Drag(6, {1, 1000, 1, 200}), {900, 900}), (Rect32{100, 100, 233, 300}));
}

TEST(TrackFrameRect, MoveShiftsWithoutLimits) {
  EXPECT_EQ(TrackFrameRect(Drag(kZoneMove, {500, 500, 500, 500}), {50, 60}),
            (Rect32{-50, -90, 150, 210}));
}

TEST(TrackFrameRect, TruncatesTowardZero) {
  // cx = -51, half = 248 / 3 = 82.67: left trunc(-133.67) = -133, right trunc(31.67) = 31.
  const Rect32 frame{-101, -101, -1, 49};
  EXPECT_EQ(TrackFrameRect(Drag(kZoneTop, kLoose, frame), {0, -199}), (Rect32{-133, -199, 31, 49}));
  EXPECT_EQ(TruncToInt32(-51.5), -51);
  EXPECT_EQ(TruncToInt32(51.9), 51);
}

TEST(TrackFrameRect, BadAspectRatioLeavesTheFrame) {
  const double bad[] = {0.0, -1.0, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN()};
  for (double a : bad) {
    for (int32_t zone : {1, 2, 4, 8, 3, 6, 9, 12}) {
      EXPECT_EQ(TrackFrameRect(Drag(zone, kLoose, kFrame, a), {10, 10}), kFrame) << zone;
    }
  }
  EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(TruncToInt32(1e300), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TruncToInt32(-1e300), std::numeric_limits<int32_t>::min());
}

TEST(TrackFrameRect, RandomDragsNeverFlipAndKeepTheFixedSides) {
  std::mt19937 rng(1234);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int n = 0; n < 20000; ++n) {
    const Rect32 f{in(-500, 1500), in(-500, 1500), 0, 0};
    Rect32 frame = f;
    frame.right = f.left + in(1, 800);
    frame.bottom = f.top + in(1, 800);
    const double a = static_cast<double>(static_cast<float>(frame.bottom - frame.top) /
                                         static_cast<float>(frame.right - frame.left));
    FrameLimits lim{in(1, 300), 0, in(1, 300), 0};
    lim.maxWidth = lim.minWidth + in(0, 2000);
    lim.maxHeight = lim.minHeight + in(0, 2000);
    const int32_t zones[] = {1, 2, 4, 8, 3, 6, 9, 12};
    const int32_t zone = zones[in(0, 7)];
    const Rect32 r = TrackFrameRect(Drag(zone, lim, frame, a), {in(-3000, 3000), in(-3000, 3000)});
    ASSERT_GE(r.right, r.left);
    ASSERT_GE(r.bottom, r.top);
    if (zone & kZoneTop) {
      EXPECT_EQ(r.bottom, frame.bottom);
    }
    if (zone & kZoneBottom) {
      EXPECT_EQ(r.top, frame.top);
    }
    if (zone & kZoneLeft) {
      EXPECT_EQ(r.right, frame.right);
    }
    if (zone & kZoneRight) {
      EXPECT_EQ(r.left, frame.left);
    }
  }
}

TEST(SaneLimits, MinimaOfAtLeastOnePixel) {
  const FrameLimits l = SaneLimits({0, -5, -3, 0});
  EXPECT_EQ(l.minWidth, 1);
  EXPECT_EQ(l.maxWidth, 1);
  EXPECT_EQ(l.minHeight, 1);
  EXPECT_EQ(l.maxHeight, 1);
}

TEST(FrameEdgeStrips, TopBottomLeftRight) {
  const auto strips = FrameEdgeStrips(kFrame);
  EXPECT_EQ(strips[0], (Rect32{100, 100, 300, 103}));
  EXPECT_EQ(strips[1], (Rect32{100, 397, 300, 400}));
  EXPECT_EQ(strips[2], (Rect32{100, 100, 103, 400}));
  EXPECT_EQ(strips[3], (Rect32{297, 100, 300, 400}));
}

}  // namespace
}  // namespace ostrel
