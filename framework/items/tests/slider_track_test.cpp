// Slider arithmetic, worked out for a track of 112 by 16 pixels.
#include "framework/items/slider_track.h"

#include <gtest/gtest.h>

namespace {

constexpr ZrfRect kExtra{10, 5, 122, 21};

TEST(SliderTrack, TrackAndThumbStayOnTheExtraPart) {
  EXPECT_EQ(SliderTrack(kExtra), (ZrfRect{18, 11, 114, 16}));
  // (112 - 16) / 10 = 9.6 pixels a step: value 5 sits 48 pixels in.
  EXPECT_EQ(SliderThumb(kExtra, 5, 0, 10), (ZrfRect{58, 5, 74, 21}));
  EXPECT_EQ(SliderThumb(kExtra, 7, 7, 7).left, 10);
  // A range from 10: the thumb is placed by the value above the minimum and ends at the track's
  // end at the maximum.
  EXPECT_EQ(SliderThumb(kExtra, 15, 10, 20).left, 58);
  EXPECT_EQ(SliderThumb(kExtra, 20, 10, 20).right, 122);
  EXPECT_EQ(SliderThumb(kExtra, 99, 10, 20).right, 122);
}

TEST(SliderTrack, ClicksStepAndDragsReachBothEnds) {
  const ZrfRect thumb = SliderThumb(kExtra, 5, 0, 10);
  EXPECT_EQ(SliderStep(thumb, 80, 5, 0, 10), 6);
  EXPECT_EQ(SliderStep(thumb, 20, 5, 0, 10), 4);
  EXPECT_EQ(SliderStep(thumb, 80, 10, 0, 10), 10);

  EXPECT_EQ(SliderDragValue(kExtra, 66, 10, 20), 15);  // the centre of value 15's thumb
  EXPECT_EQ(SliderDragValue(kExtra, 122, 10, 20), 20);
  EXPECT_EQ(SliderDragValue(kExtra, -500, 10, 20), 10);
  EXPECT_EQ(SliderDragValue(kExtra, 66, 0, 10), 5);
  EXPECT_EQ(SliderDragValue(kExtra, 60, 3, 3), 3);
  // A wide range on a short track, and a track no longer than its thumb.
  EXPECT_EQ(SliderDragValue(ZrfRect{0, 0, 96, 16}, 48, 0, 1000), 500);
  EXPECT_EQ(SliderDragValue(ZrfRect{0, 0, 10, 16}, 8, 4, 9), 4);
}

}  // namespace
