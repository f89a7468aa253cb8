// Layout of the framework message box, with the expected places worked out by hand from the
// layout rules for a fixed dialog: text at (60, 9), icon area 33 high, buttons 75 x 23 with OK's
// top at 59, a window of 276 x 120 with 6 pixels of frame width, on a 1280 x 1024 desktop.
#include "framework/ui/message_box_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace zrf {
namespace {

MessageLayoutInput Fixture(uint32_t style, std::vector<Size> measured) {
  MessageLayoutInput in;
  in.style = style;
  in.measured = std::move(measured);
  in.textX = 60;
  in.textY = 9;
  in.iconHeight = 33;
  in.buttonWidth = 75;
  in.buttonHeight = 23;
  in.okTop = 59;
  in.window = {276, 120};
  in.frameWidth = 6;
  in.parent = {0, 0, 1280, 1024};
  in.workArea = {0, 0, 1280, 1024};
  return in;
}

TEST(MessageBoxStyle, IconsButtonSetsAndDefaults) {
  struct Row {
    uint32_t style;
    MessageIcon icon;
    uint32_t set;
    int32_t count;
    int32_t defaultButton;
  };
  const Row rows[] = {
      {0x111, MessageIcon::Error, 0x10, 1, kButtonOk},
      {0x114, MessageIcon::Information, 0x10, 1, kButtonOk},
      {0x128, MessageIcon::Question, 0x20, 2, kButtonOk},
      {0x188, MessageIcon::Question, 0x80, 3, kButtonYes},
      {0x328, MessageIcon::Question, 0x20, 2, kButtonOk},
      {0x588, MessageIcon::Question, 0x80, 3, kButtonCancel},
      {0x1042, MessageIcon::Warning, 0x40, 2, kButtonNo},
      {0x443, MessageIcon::None, 0x40, 2, kButtonYes},      // two icon bits: no icon; no Cancel to default to
      {0x1010, MessageIcon::None, 0x10, 1, kButtonOk},      // No is not shown: the default stays OK
      {0x000, MessageIcon::None, 0x10, 1, kButtonOk},       // no button set: OK
  };
  for (const Row& r : rows) {
    const MessageStyle s = DecodeMessageStyle(r.style);
    EXPECT_EQ(s.icon, r.icon) << std::hex << r.style;
    EXPECT_EQ(s.buttonSet, r.set) << std::hex << r.style;
    EXPECT_EQ(s.buttonCount, r.count) << std::hex << r.style;
    EXPECT_EQ(s.defaultButton, r.defaultButton) << std::hex << r.style;
  }
  EXPECT_TRUE(DecodeMessageStyle(0x2111).captionIcon);
  EXPECT_TRUE(DecodeMessageStyle(0x111).boldFirstLine);
  EXPECT_FALSE(DecodeMessageStyle(0x011).boldFirstLine);
}

TEST(MessageBoxText, SplitsCutsAndDropsCarriageReturns) {
  const MessageText crlf = SplitMessageText("one\r\ntwo\r\nthree");
  const MessageText lf = SplitMessageText("one\ntwo\nthree");
  EXPECT_EQ(crlf.work, lf.work);
  EXPECT_EQ(crlf.lines, lf.lines);
  EXPECT_EQ(lf.lines, (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(lf.rest, "two\nthree");

  const MessageText empty = SplitMessageText("");
  EXPECT_EQ(empty.lines, std::vector<std::string>{""});

  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "line" + std::to_string(i) + (i < 19 ? "\n" : "");
  const MessageText many = SplitMessageText(twenty);
  EXPECT_EQ(many.lines.size(), 15u);
  EXPECT_EQ(many.lines[14], "line14");
  EXPECT_EQ(many.rest.substr(0, 6), "line1\n");
  EXPECT_EQ(many.rest.substr(many.rest.size() - 6), "line19");

  const MessageText longText = SplitMessageText(std::string(5000, 'x'));
  EXPECT_EQ(longText.work.size(), 2047u);
}

TEST(MessageBoxLayout, OneLineIsCentredOnTheIcon) {
  const MessageText text = SplitMessageText("Hello");
  const MessageLayout out = LayOutMessageBox(Fixture(0x111, {{100, 13}}), text);
  EXPECT_EQ(out.firstLine, (Place{60, 17, 108, 16}));
  EXPECT_FALSE(out.hasOtherLines);
  EXPECT_EQ(out.window, (Rect{540, 452, 740, 572}));
  EXPECT_TRUE(out.buttons[0].visible);
  EXPECT_EQ(out.buttons[0].x, 59);
  EXPECT_EQ(out.buttons[0].y, 59);
  EXPECT_FALSE(out.buttons[1].visible);
  EXPECT_FALSE(out.buttons[2].visible);
  EXPECT_FALSE(out.buttons[3].visible);
  EXPECT_EQ(out.defaultButton, kButtonOk);
}

TEST(MessageBoxLayout, TwoLinesAreCentredAsAPair) {
  const MessageText text = SplitMessageText("Hello\nWorld");
  const MessageLayout out = LayOutMessageBox(Fixture(0x128, {{100, 13}, {150, 13}}), text);
  EXPECT_EQ(out.firstLine, (Place{60, 10, 108, 16}));
  ASSERT_TRUE(out.hasOtherLines);
  EXPECT_EQ(out.otherLines, (Place{60, 26, 158, 14}));
  EXPECT_EQ(out.otherText, "World");
  EXPECT_EQ(out.window.Width(), 250);
  EXPECT_EQ(out.buttons[0].x, 43);
  EXPECT_EQ(out.buttons[1].x, 125);
  EXPECT_TRUE(out.buttons[1].visible);
  EXPECT_FALSE(out.buttons[2].visible);
}

TEST(MessageBoxLayout, TwentyLinesMeasureFifteenAndGrowTheBox) {
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "line\n";
  twenty.pop_back();
  const MessageText text = SplitMessageText(twenty);
  const MessageLayout out = LayOutMessageBox(Fixture(0x188, std::vector<Size>(15, {50, 13})), text);
  EXPECT_EQ(out.firstLine, (Place{60, 9, 58, 16}));
  EXPECT_EQ(out.otherLines, (Place{60, 25, 58, 196}));  // lines 1 to 14, 14 high each
  EXPECT_EQ(out.window.Height(), 290);                  // 120 + (229 - 59)
  EXPECT_EQ(out.window.Width(), 269);
  EXPECT_EQ(out.buttons[2].x, 11);  // Yes
  EXPECT_EQ(out.buttons[3].x, 93);  // No
  EXPECT_EQ(out.buttons[1].x, 175);  // Cancel
  EXPECT_EQ(out.buttons[2].y, 229);
  EXPECT_FALSE(out.buttons[0].visible);
  EXPECT_EQ(out.defaultButton, kButtonYes);
  EXPECT_EQ(LayOutMessageBox(Fixture(0x588, std::vector<Size>(15, {50, 13})), text).defaultButton, kButtonCancel);
}

TEST(MessageBoxLayout, LongLinesAreCappedAtAQuarterOfTheWorkArea) {
  const MessageText text = SplitMessageText("a\nb\nc");
  const MessageLayout out = LayOutMessageBox(Fixture(0x114, {{2000, 13}, {2000, 13}, {10, 13}}), text);
  EXPECT_EQ(out.otherLines.width, 320);
  EXPECT_EQ(out.window.Width(), 60 + 32 + 320);
}

TEST(MessageBoxLayout, LongSecondLineWidensATwoLineBox) {
  const MessageText text = SplitMessageText("Corrupt\nC:\\long");
  const MessageLayout out = LayOutMessageBox(Fixture(0x111, {{100, 13}, {1000, 13}}), text);
  EXPECT_EQ(out.otherLines.width, 1008);
  EXPECT_EQ(out.window, (Rect{90, 452, 90 + 60 + 32 + 1008, 452 + 120}));
  // The widest line a two-line box shows whole: 1280 - 60 - 2 * 16.
  EXPECT_EQ(MessageLineWidthLimit(Fixture(0x111, {{100, 13}}), 2), 1188);
  EXPECT_EQ(MessageLineWidthLimit(Fixture(0x111, {{100, 13}}), 3), 320);
}

// Six pixels a character, plus the control's extra width.
int32_t SixPerCharacter(size_t, std::string_view piece) {
  return static_cast<int32_t>(piece.size()) * 6 + kMessageLineExtraWidth;
}

TEST(MessageBoxText, WrapBreaksAfterSeparatorsOrBetweenCharactersAndKeepsEveryOne) {
  // A limit of ten characters: "abc def\gh" fits, and breaks after its backslash; the rest has
  // no separator and breaks after ten characters.
  const MessageText text = SplitMessageText("short\nabc def\\ghijklmnopq\n\nend");
  const MessageText shown = WrapMessageText(text, 10 * 6 + kMessageLineExtraWidth, SixPerCharacter);
  EXPECT_EQ(shown.lines, (std::vector<std::string>{"short", "abc def\\", "ghijklmnop", "q", "", "end"}));
  EXPECT_EQ(shown.rest, "abc def\\\nghijklmnop\nq\n\nend");
  EXPECT_EQ(shown.givenLineCount, 4u);
  // A limit narrower than one character still moves on by one character a line.
  EXPECT_EQ(WrapMessageText(SplitMessageText("xyz"), 1, SixPerCharacter).lines,
            (std::vector<std::string>{"x", "y", "z"}));
  // Lines past the fifteenth are not measured and stay as they are.
  std::string twenty = "0123456789abcdef";
  for (int i = 1; i < 20; ++i) twenty += "\nline" + std::to_string(i);
  const MessageText long20 = WrapMessageText(SplitMessageText(twenty), 10 * 6 + 8, SixPerCharacter);
  EXPECT_EQ(long20.lines.size(), 16u);
  EXPECT_EQ(long20.rest, "abcdef\n" + SplitMessageText(twenty).rest);
}

TEST(MessageBoxLayout, BoxStaysReachableWhenItsOwnerIsOffScreen) {
  MessageLayoutInput in = Fixture(0x111, {{100, 13}});
  in.parent = {-32000, -32000, -31840, -31972};  // a minimised owner
  const MessageLayout out = LayOutMessageBox(in, SplitMessageText("x"));
  EXPECT_EQ(out.window.left, 0);
  EXPECT_EQ(out.window.top, 0);
  in.parent = {1200, 900, 1600, 1200};
  const MessageLayout right = LayOutMessageBox(in, SplitMessageText("x"));
  EXPECT_EQ(right.window.right, 1280);
  EXPECT_EQ(right.window.bottom, 1024);
}

}  // namespace
}  // namespace zrf
