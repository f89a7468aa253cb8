// Measuring, draw states and part layout of items, with sizes worked out by hand from the rules.
#include "framework/items/item_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/items/item_draw_state.h"
#include "framework/items/item_flags.h"

namespace {

ItemParts Parts(ItemSize label, ItemSize shortcut = {0, 0}, ItemSize extra = {0, 0}) {
  return ItemParts{kUnsetSize, extra, label, shortcut, {0, 0}};
}

TEST(ItemMeasure, PopupEntryWithIconLabelAndShortcutAt144Dpi) {
  const ItemMeasurement m = FinishMeasure(Parts({40, 16}, {30, 16}), kItemHasIcon, 4, 144, 0.0f, 0.0f);
  EXPECT_EQ(m.parts.icon, (ItemSize{24, 24}));
  EXPECT_EQ(m.iconColumn, 24);
  EXPECT_EQ(m.height, 32);  // the 24-pixel icon + 2u
  // u + (24 + u) + (40 + u), then + 4u + 30 for the shortcut.
  EXPECT_EQ(m.width, 122);
}

TEST(ItemMeasure, LabelStretchAndMinimumHeight) {
  const ItemMeasurement stretched = FinishMeasure(Parts({40, 16}), 0, 4, 96, 0.5f, 1.0f);
  EXPECT_EQ(stretched.parts.label, (ItemSize{48, 32}));
  EXPECT_EQ(stretched.parts.icon, (ItemSize{0, 0}));
  EXPECT_EQ(stretched.width, 4 + 48 + 4);
  const ItemMeasurement wild = FinishMeasure(Parts({40, 16}), 0, 4, 96, std::nanf(""), 1e30f);
  EXPECT_EQ(wild.parts.label, (ItemSize{40, 16}));
  const ItemMeasurement low = FinishMeasure(Parts({30, 10}), 0, 3, 96, 0.0f, 0.0f);
  EXPECT_EQ(low.parts.label.cy, 16);
  EXPECT_EQ(low.height, 22);

  EXPECT_TRUE(MeasuresLabel(0, true, 0));
  EXPECT_FALSE(MeasuresLabel(0, true, 40));
  EXPECT_TRUE(MeasuresLabel(kItemShowLabel, true, 40));
  EXPECT_FALSE(MeasuresLabel(0, false, 0));
}

TEST(ItemDrawState, LaterRulesWin) {
  struct Row {
    uint32_t flags;
    int32_t frameStyle;
    uint32_t selector;
    int32_t offset;
  };
  const Row rows[] = {
      {0x1, 0, 1, 0},   {0x801, 6, 1, 0}, {0x800, 7, 0, 0}, {0x201, 1, 2, 0},
      {0x401, 2, 2, 1}, {0xE01, 2, 2, 1}, {0xA00, 1, 2, 0}, {0x0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    const ItemDrawState state = DrawStateOf(row.flags, false);
    EXPECT_EQ(state.frameStyle, row.frameStyle) << std::hex << row.flags;
    EXPECT_EQ(state.textSelector, row.selector) << std::hex << row.flags;
    EXPECT_EQ(state.pressOffset, row.offset) << std::hex << row.flags;
  }
  EXPECT_TRUE(DrawStateOf(0x11, false).centre);
  EXPECT_FALSE(DrawStateOf(0x11, true).centre);
  EXPECT_TRUE(DrawStateOf(0x41, true).bold);
}

TEST(ItemLayout, PopupLabelsStartAtThePopupsIconColumn) {
  const ItemMeasurement m = FinishMeasure(Parts({40, 16}, {30, 16}), kItemHasIcon, 4, 144, 0.0f, 0.0f);
  ItemPartRects r = LayoutItemParts(m, 200, 32, 0, false, true, 28, 0, 4);
  EXPECT_EQ(r.icon, (ZrfRect{4, 4, 28, 28}));
  // Label top: int((32 + 1 - 8 - 16) * 0.5 + 0 + 4 + 0.5) = 9.
  EXPECT_EQ(r.label, (ZrfRect{28, 9, 68, 25}));
  EXPECT_EQ(r.shortcut, (ZrfRect{166, 9, 196, 25}));
  r = LayoutItemParts(m, 200, 32, 1, false, true, 28, kItemStretch, 4);
  EXPECT_EQ(r.icon.left, 5);
  EXPECT_EQ(r.icon.top, 5);
  EXPECT_EQ(r.label.left, 29);
  EXPECT_EQ(r.label.top, 10);
  EXPECT_EQ(r.label.right, 200 - 30 - 4);
}

TEST(ItemLayout, CentredButtonAndExtraPartOutsidePopups) {
  const uint32_t flags = kItemHasIcon | kItemShowLabel | kItemCentred;
  const ItemMeasurement m = FinishMeasure(Parts({40, 16}), flags, 4, 96, 0.0f, 0.0f);
  ASSERT_EQ(m.width, 68);
  ASSERT_EQ(m.height, 24);
  // Centred in 100: the content moves (100 - 68) / 2 = 16 right.
  const ItemPartRects r = LayoutItemParts(m, 100, 24, 0, true, false, 0, flags, 4);
  EXPECT_EQ(r.icon, (ZrfRect{20, 4, 36, 20}));
  EXPECT_EQ(r.label, (ZrfRect{40, 5, 80, 21}));

  const ItemMeasurement slider =
      FinishMeasure(Parts({30, 16}, {0, 0}, {112, 16}), kItemShowLabel, 4, 96, 0, 0);
  const ItemPartRects s = LayoutItemParts(slider, slider.width, slider.height, 0, false, false, 0, 0, 4);
  EXPECT_EQ(s.extra, (ZrfRect{4, 4, 116, 20}));
  EXPECT_EQ(s.label.left, 120);
}

}  // namespace
