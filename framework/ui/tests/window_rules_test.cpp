// Framework window rules free of the window system: styles from flags, the dialog-font rule for
// check boxes, default placement, the placement record and the keyed status texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/ui/dialog_font_rule.h"
#include "framework/ui/status_texts.h"
#include "framework/ui/window_placement.h"
#include "framework/ui/window_styles.h"

namespace zrf {
namespace {

TEST(WindowStyles, FromFlags) {
  const uint32_t base = 0x80000000 | 0x04000000 | 0x02000000 | 0x00080000;  // popup, clip, sysmenu
  struct Row {
    uint32_t flags;
    uint32_t style;
    uint32_t exStyle;
  };
  const Row rows[] = {
      {0x0, base | 0x00800000 | 0x00C00000, 0},
      {0x2, base | 0x00800000 | 0x00C00000 | 0x00070000, 0},
      {0x8, base | 0x00800000, 0},
      {0x10, base | 0x00800000 | 0x00C00000, 0x80},
      {0x800, base, 0},
      {0x802, base, 0},
      {0x200, base | 0x00800000 | 0x00C00000 | 0x01000000, 0},
      {0x2113, base | 0x00800000 | 0x00C00000 | 0x00070000, 0x00040000 | 0x80 | 0x8 | 0x10},
  };
  for (const Row& r : rows) {
    const WindowStyles s = GetStyles(r.flags);
    EXPECT_EQ(s.style, r.style) << std::hex << r.flags;
    EXPECT_EQ(s.exStyle, r.exStyle) << std::hex << r.flags;
  }
}

TEST(DialogFontRule, CheckBoxBesideALabel) {
  const Rect box{100, 50, 160, 60};  // 10 high
  EXPECT_TRUE(CheckBoxQualifiesForDialogFont(box, {75, 50, 99, 60}, 0x1));
  EXPECT_FALSE(CheckBoxQualifiesForDialogFont(box, {75, 50, 99, 60}, 0x0));   // no low style bit
  EXPECT_FALSE(CheckBoxQualifiesForDialogFont(box, {75, 50, 99, 60}, 0x8));
  EXPECT_TRUE(CheckBoxQualifiesForDialogFont(box, {75, 55, 99, 60}, 0x2));    // tops 5 apart: half the height
  EXPECT_FALSE(CheckBoxQualifiesForDialogFont(box, {75, 56, 99, 60}, 0x2));   // 6 apart
  EXPECT_TRUE(CheckBoxQualifiesForDialogFont(box, {70, 50, 99, 60}, 0x4));    // 30 left: three heights
  EXPECT_FALSE(CheckBoxQualifiesForDialogFont(box, {69, 50, 99, 60}, 0x4));   // 31 left
  EXPECT_FALSE(CheckBoxQualifiesForDialogFont(box, {101, 50, 150, 60}, 0x4)); // the box is left of it
  EXPECT_EQ(WidenedCheckBoxWidth(60), 72);
  EXPECT_EQ(WidenedCheckBoxWidth(13), 15);
}

TEST(WindowPlacement, DefaultsStepFortyPixelsPerWindow) {
  const Rect monitor{0, 0, 1280, 1024};
  const WindowPlacement first = DefaultPlacement(0, monitor, 0, 0, 0, 0, 0x2);
  EXPECT_EQ(first, (WindowPlacement{213, 171, 853, 682, 0x2, 0, false}));
  const WindowPlacement second = DefaultPlacement(1, monitor, 0, 0, 0, 0, 0x2);
  EXPECT_EQ(second.x, 253);
  EXPECT_EQ(second.y, 211);
  EXPECT_EQ(second.cx, 853);
  // Positions wrap at the monitor's edge minus the size.
  EXPECT_EQ(DefaultPlacement(0, monitor, 1000, 900, 400, 300, 0).x, 1000 % 880);
  EXPECT_EQ(DefaultPlacement(0, monitor, 1000, 900, 400, 300, 0).y, 900 % 724);
  // As wide and high as the monitor: nothing to wrap at, and no division by zero.
  const WindowPlacement full = DefaultPlacement(0, monitor, 5, 7, 1280, 1024, 0);
  EXPECT_EQ(full.x, 5);
  EXPECT_EQ(full.y, 7);
}

TEST(WindowPlacement, RecordRoundTripAndLimits) {
  const WindowPlacement p{-32768, 100, 65535, 480, 0x1000 | 0x2, 90, true};
  const WindowPlacementRecord r = PackPlacement(p);
  unsigned char bytes[16];
  std::memcpy(bytes, &r, sizeof bytes);
  const unsigned char expected[16] = {0x00, 0x80, 100, 0, 0xFF, 0xFF, 0xE0, 0x01,
                                      0x02, 0x10, 0, 0, 90, 0x10, 0, 0};
  EXPECT_EQ(std::memcmp(bytes, expected, 16), 0);
  EXPECT_EQ(UnpackPlacement(r), p);

  const WindowPlacementRecord far = PackPlacement({40000, -40000, 70000, -5, 0, 30, false});
  EXPECT_EQ(far.x, 32767);
  EXPECT_EQ(far.y, -32768);
  EXPECT_EQ(far.cx, 65535);
  EXPECT_EQ(far.cy, 0);

  WindowPlacementRecord odd = r;
  odd.transparency = 95;
  EXPECT_EQ(UnpackPlacement(odd).transparency, 0);
  odd.transparency = 200 | kPlacementGhostBit;
  EXPECT_EQ(UnpackPlacement(odd).transparency, 0);
  EXPECT_TRUE(UnpackPlacement(odd).ghost);
}

TEST(WindowPlacement, SavedRecordMustTouchAMonitor) {
  const Rect monitors[] = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
  auto record = [](int16_t x, int16_t y, uint16_t cx, uint16_t cy) {
    return WindowPlacementRecord{x, y, cx, cy, 0, 0};
  };
  EXPECT_TRUE(IsPlacementOnMonitors(record(100, 100, 400, 300), monitors));
  EXPECT_TRUE(IsPlacementOnMonitors(record(-350, 100, 400, 300), monitors));   // top-right corner on screen
  EXPECT_TRUE(IsPlacementOnMonitors(record(2500, 100, 400, 300), monitors));   // second monitor
  EXPECT_FALSE(IsPlacementOnMonitors(record(-390, 100, 400, 300), monitors));  // both corners off
  EXPECT_FALSE(IsPlacementOnMonitors(record(100, -21, 400, 300), monitors));   // corners above the top
  EXPECT_FALSE(IsPlacementOnMonitors(record(100, 100, 0, 300), monitors));
  EXPECT_FALSE(IsPlacementOnMonitors(record(-32000, -32000, 160, 28), monitors));
}

std::vector<int32_t> Keys(const StatusTextList& list) {
  std::vector<int32_t> keys;
  for (int32_t i = 0; i < list.Count(); ++i) keys.push_back(list.At(i).key);
  return keys;
}

TEST(StatusTexts, KeysOrderAndShownText) {
  StatusTextList list;
  EXPECT_STREQ(list.Shown(), "");
  list.Set(-3, "Ready");
  list.Set(-2, "Ready");
  EXPECT_STREQ(list.Shown(), "Ready");
  list.Set(-1, "transient");  // no program text: dropped at once
  EXPECT_EQ(Keys(list), (std::vector<int32_t>{-3, -2}));
  list.Set(0, "zero");
  list.Set(5, "five");
  EXPECT_STREQ(list.Shown(), "five");  // the last entry
  list.Set(-1, "transient");
  EXPECT_STREQ(list.Shown(), "transient");  // a key -1 text wins
  list.Set(0, "");
  EXPECT_EQ(Keys(list), (std::vector<int32_t>{-3, -2, 5, -1}));
  list.Set(5, nullptr);  // the last program text goes, and the -1 text with it
  EXPECT_EQ(Keys(list), (std::vector<int32_t>{-3, -2}));
  EXPECT_STREQ(list.Shown(), "Ready");
  list.Set(-2, "Over an item");
  EXPECT_EQ(Keys(list), (std::vector<int32_t>{-3, -2}));
  EXPECT_STREQ(list.Shown(), "Over an item");
}

TEST(StatusTexts, LongTextsAreCutAndTheShownTextStaysValid) {
  StatusTextList list;
  const std::string longText(2000, 'y');
  list.Set(1, longText.c_str());
  EXPECT_EQ(std::strlen(list.At(0).text), 1023u);
  const char* shown = list.Shown();
  // Growing the list moves its buffer; the shown text must not move with it.
  for (int32_t key = 2; key < 100; ++key) list.Set(key, "other");
  EXPECT_EQ(shown, list.Shown());
  EXPECT_STREQ(shown, "other");
}

}  // namespace
}  // namespace zrf
