// The prefixes of a static item's label, one row per form, and its progress bar.
#include "framework/items/static_label.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StaticLabel, PrefixesAsRows) {
  struct Row {
    const char* label;
    uint16_t icon;
    bool prefixIcon;
    bool progress;
    int32_t value;
    const char* text;
  };
  const Row rows[] = {
      {"#12Hello", 12, true, false, 0, "Hello"},    {"#0X", 0, true, false, 0, "X"},
      {"@150Text", 0, false, true, 100, "Text"},    {"@Text", 0, false, false, 0, "@Text"},
      {"#Text", 0, false, false, 0, "#Text"},       {"#99999999999999999999999x", 0, true, false, 0, "x"},
      {"#12@50Go", 12, true, true, 50, "Go"},       {"@7", 0, false, true, 7, ""},
      {"Plain @5", 0, false, false, 0, "Plain @5"},
  };
  for (const Row& row : rows) {
    const StaticLabel label = ParseStaticLabel(row.label);
    EXPECT_EQ(label.iconCommand, row.icon) << row.label;
    EXPECT_EQ(label.hasPrefixIcon, row.prefixIcon) << row.label;
    EXPECT_EQ(label.hasProgress, row.progress) << row.label;
    EXPECT_EQ(label.progress, row.value) << row.label;
    EXPECT_EQ(std::string(label.text), row.text) << row.label;
  }
}

TEST(StaticLabel, ProgressBarGeometry) {
  // Text 30 x 14 in a label (20, 4)-(300, 24), shifted 20 for an icon, u = 3.
  EXPECT_EQ(ProgressBarRect(ZrfRect{20, 4, 300, 24}, 20, 30, 14, 3), (ZrfRect{76, 8, 216, 20}));
  EXPECT_EQ(ProgressFillWidth(138, 50), 69);
  EXPECT_EQ(ProgressFillWidth(138, 100), 138);
  EXPECT_EQ(ProgressFillWidth(-2, 100), 0);
}

}  // namespace
