// The popup's entry layout and where it opens against the monitor's edges, with values worked out
// by hand.
#include "framework/items/popup_layout.h"

#include <gtest/gtest.h>

namespace {

const ZrfRect kScreen{0, 0, 1024, 768};

TEST(PopupLayout, SharedIconColumnWidensEntriesWithoutIcons) {
  // Two entries with 24-pixel icons and a separator: the column is 24 + 4; the separator (no
  // icon) needs 6 + 28 and the first entry 100 + 4.
  const PopupEntrySize entries[] = {{100, 24, 24}, {80, 24, 24}, {6, 6, 0}};
  int32_t tops[3] = {};
  const PopupLayout layout = LayoutPopupEntries(entries, tops);
  EXPECT_EQ(layout.iconColumn, 28);
  EXPECT_EQ(layout.contentWidth, 104);
  EXPECT_EQ(layout.width, 110);
  EXPECT_EQ(layout.height, 60);
  EXPECT_EQ(tops[0], 3);
  EXPECT_EQ(tops[1], 27);
  EXPECT_EQ(tops[2], 51);

  // Without icons the first entry's height makes the column: 20 + 4, so a 60-wide label becomes 84.
  const PopupEntrySize plain[] = {{60, 20, 0}};
  EXPECT_EQ(LayoutPopupEntries(plain, {}).contentWidth, 84);
  EXPECT_EQ(LayoutPopupEntries({}, {}).width, 0);
}

TEST(PopupPlacement, CascadeOverlapsByTwoAndFlipsLeftAndUp) {
  const ZrfRect entry{200, 100, 310, 124};
  ZrfPoint at = PlacePopup(entry, 110, 60, PopupOpening::kCascade, kScreen);
  EXPECT_EQ(at.x, 308);
  EXPECT_EQ(at.y, 98);

  // Near the right edge: 1000 - 2 + 110 passes 1024, so it opens left of the entry.
  const ZrfRect right{900, 100, 1000, 124};
  at = PlacePopup(right, 110, 60, PopupOpening::kCascade, kScreen);
  EXPECT_EQ(at.x, 900 - 110);
  EXPECT_EQ(at.y, 98);

  // Near the bottom: 738 - 2 + 60 passes 768, so it ends at the entry's bottom.
  const ZrfRect low{200, 738, 310, 762};
  at = PlacePopup(low, 110, 60, PopupOpening::kCascade, kScreen);
  EXPECT_EQ(at.x, 308);
  EXPECT_EQ(at.y, 762 - 60);
}

TEST(PopupPlacement, DropDownOpensBelowAndFlipsAtTheEdges) {
  const ZrfRect button{950, 50, 1000, 70};
  ZrfPoint at = PlacePopup(button, 110, 60, PopupOpening::kDropDown, kScreen);
  EXPECT_EQ(at.x, 890);
  EXPECT_EQ(at.y, 70);

  const ZrfRect low{100, 740, 150, 760};
  at = PlacePopup(low, 110, 60, PopupOpening::kDropDown, kScreen);
  EXPECT_EQ(at.x, 100);
  EXPECT_EQ(at.y, 680);

  // Exactly reaching the edge is no flip.
  const ZrfRect fits{914, 0, 964, 20};
  EXPECT_EQ(PlacePopup(fits, 110, 60, PopupOpening::kDropDown, kScreen).x, 914);

  // A second monitor to the right: the flips use its edges.
  const ZrfRect second{1024, 0, 2048, 768};
  const ZrfRect there{1500, 100, 1500, 100};
  EXPECT_EQ(PlacePopup(there, 110, 60, PopupOpening::kDropDown, second).x, 1500);
}

}  // namespace
