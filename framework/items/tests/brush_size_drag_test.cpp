// A brush-size item dragged up and down, and the search for the font of its value.
#include "framework/items/brush_size_drag.h"

#include <gtest/gtest.h>

namespace {

TEST(BrushSizeDrag, FivePixelsUpPerStepWithinTheLimits) {
  EXPECT_EQ(BrushDragValue(10, 300, 250, 1, 100), 20);
  EXPECT_EQ(BrushDragValue(10, 300, 298, 1, 100), 10);
  EXPECT_EQ(BrushDragValue(10, 300, 305, 1, 100), 9);
  EXPECT_EQ(BrushDragValue(10, 300, 0, 1, 15), 15);
  EXPECT_EQ(BrushDragValue(10, 300, 1000, 1, 15), 1);
}

// Two digits, each half the font height wide; the text is two pixels taller than the font.
void MeasureTwoDigits(void* context, int32_t height, int32_t* width, int32_t* textHeight) {
  ++*static_cast<int*>(context);
  *width = height;
  *textHeight = height + 2;
}

TEST(BrushSizeDrag, FontIsTheLargestThatFits) {
  int calls = 0;
  // Width must stay below 22 - 6 = 16 and height below 20 - 2 = 18: 15 fits, from 18 down.
  EXPECT_EQ(FitBrushFontHeight(144, 22, 20, MeasureTwoDigits, &calls), 15);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(FitBrushFontHeight(96, 40, 40, MeasureTwoDigits, &calls), 12);
  EXPECT_EQ(FitBrushFontHeight(96, 8, 40, MeasureTwoDigits, &calls), 3);
}

}  // namespace
