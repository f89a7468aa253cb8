// The item-frame styles and the rounded corners, with colours worked out from the style table.
#include "framework/style/item_frame_plan.h"

#include <gtest/gtest.h>

#include "framework/style/corner_blend.h"

namespace {

// Palette entry i holds 0x100 + i, so a colour names the entry it came from.
struct NumberedPalette {
  uint32_t entries[kPaletteSize];
  NumberedPalette() {
    for (int32_t i = 0; i < kPaletteSize; ++i) entries[i] = 0x100 + static_cast<uint32_t>(i);
  }
};

constexpr uint32_t P(int32_t i) { return 0x100 + static_cast<uint32_t>(i); }
constexpr ZrfRect kItem{0, 0, 100, 24};

TEST(ItemFramePlan, BevelledStylesTakeTheirEdgeFromTheColourIndex) {
  const NumberedPalette palette;
  ItemFramePlan sunken = PlanItemFrame(kFrameSunken, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_TRUE(sunken.fill);
  EXPECT_EQ(sunken.fillRect, (ZrfRect{1, 1, 99, 23}));
  EXPECT_EQ(sunken.fillColor, P(51));
  EXPECT_EQ(sunken.bevelTopLeft, P(53));
  EXPECT_EQ(sunken.bevelBottomRight, P(52));
  EXPECT_FALSE(sunken.frame);

  ItemFramePlan raised = PlanItemFrame(kFrameRaised, kItem, 0, 33, -1, -1, palette.entries);
  EXPECT_EQ(raised.fillColor, P(33));
  EXPECT_EQ(raised.bevelTopLeft, P(51));
  EXPECT_EQ(raised.bevelBottomRight, P(53));

  ItemFramePlan filled = PlanItemFrame(kFrameFilled, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_EQ(filled.fillRect, kItem);
  EXPECT_FALSE(filled.bevel);
}

TEST(ItemFramePlan, FramedStylesAndTheirGradients) {
  const NumberedPalette palette;
  ItemFramePlan hot = PlanItemFrame(kFrameHot, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_EQ(hot.frameColor, P(45));
  EXPECT_EQ(hot.gradientTop, P(41));
  EXPECT_EQ(hot.gradientBottom, P(42));
  EXPECT_FALSE(hot.parentBackground);

  ItemFramePlan pressed = PlanItemFrame(kFramePressed, kItem, 0, 4, -1, -1, palette.entries);
  EXPECT_EQ(pressed.frameColor, P(4));
  EXPECT_EQ(pressed.gradientTop, P(43));
  EXPECT_EQ(pressed.gradientBottom, P(44));

  EXPECT_EQ(PlanItemFrame(kFrameGradient, kItem, 0, 4, -1, -1, palette.entries).gradientTop, P(43));
  ItemFramePlan chosen = PlanItemFrame(kFrameGradient, kItem, 0, 4, 33, 34, palette.entries);
  EXPECT_EQ(chosen.gradientTop, P(33));
  EXPECT_EQ(chosen.gradientBottom, P(34));
  // An index past the palette is the default, never a read beyond it.
  EXPECT_EQ(PlanItemFrame(kFrameGradient, kItem, 0, 59, 70, -7, palette.entries).gradientTop, P(43));
  EXPECT_EQ(PlanItemFrame(kFrameGradient, kItem, 0, 59, 70, -7, palette.entries).frameColor, P(45));
}

TEST(ItemFramePlan, CheckedStylesCutToTheIconColumn) {
  const NumberedPalette palette;
  ItemFramePlan column = PlanItemFrame(kFrameChecked, kItem, 20, -1, -1, -1, palette.entries);
  EXPECT_TRUE(column.parentBackground);
  EXPECT_EQ(column.rect, (ZrfRect{0, 0, 20, 24}));
  EXPECT_EQ(column.gradientTop, P(43));
  ItemFramePlan whole = PlanItemFrame(kFrameChecked, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_FALSE(whole.parentBackground);
  EXPECT_EQ(whole.rect, kItem);

  ItemFramePlan disabled = PlanItemFrame(kFrameCheckedOff, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_TRUE(disabled.fill);
  EXPECT_EQ(disabled.fillColor, P(51));
  EXPECT_EQ(disabled.bevelTopLeft, P(3));
  EXPECT_EQ(disabled.bevelBottomRight, P(2));
  ItemFramePlan disabledColumn = PlanItemFrame(kFrameCheckedOff, kItem, 20, -1, -1, -1, palette.entries);
  EXPECT_TRUE(disabledColumn.parentBackground);
  EXPECT_FALSE(disabledColumn.fill);
  EXPECT_EQ(disabledColumn.rect.right, 20);

  ItemFramePlan none = PlanItemFrame(kFrameNone, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_TRUE(none.parentBackground);
  EXPECT_FALSE(none.fill || none.frame || none.gradient || none.bevel);
  ItemFramePlan unknown = PlanItemFrame(9, kItem, 0, -1, -1, -1, palette.entries);
  EXPECT_FALSE(unknown.parentBackground || unknown.fill || unknown.frame || unknown.gradient ||
               unknown.bevel);
}

TEST(CornerBlend, OuterPixelsTakeTheBackgroundByTheirShare) {
  uint32_t background[kCornerPixels], current[kCornerPixels], result[kCornerPixels];
  for (int32_t i = 0; i < kCornerPixels; ++i) {
    background[i] = 0xFFFFFF;
    current[i] = 0x000010;
  }
  BlendCorner(kCornerMasks[0], background, current, result);
  EXPECT_EQ(result[0], 0xFFFFFFu);
  // 60 %: 0 + 255 * 60 / 100 = 153 (0x99); blue 16 + 239 * 60 / 100 = 159 (0x9F).
  EXPECT_EQ(result[1], 0x99999Fu);
  EXPECT_EQ(result[3], 0x99999Fu);
  // 15 %: 255 * 15 / 100 = 38.25 -> 38 (0x26); blue 16 + 35 = 51 (0x33).
  EXPECT_EQ(result[4], 0x262633u);
  EXPECT_EQ(result[8], 0x000010u);
  // The bottom-right mask is the same quarter circle seen from the other corner.
  BlendCorner(kCornerMasks[3], background, current, result);
  EXPECT_EQ(result[8], 0xFFFFFFu);
  EXPECT_EQ(result[0], 0x000010u);
  EXPECT_EQ(result[7], 0x99999Fu);
}

}  // namespace
