// The drawing primitives under Wine, drawn into a 32-bit DIB and read back pixel by pixel: every
// palette entry is set to its own colour so a pixel names the entry it was drawn in.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/base/color_hsl.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/style/ui_style_win.h"

namespace {

constexpr int kSize = 64;
constexpr uint32_t kWhite = 0xFFFFFF;

// Entry i: red i * 4, green 255 - i, blue 7 * i (all distinct, none white).
uint32_t PaletteColor(int32_t i) { return RGB(i * 4, 255 - i, (7 * i) & 0xFF); }

class Canvas {
 public:
  Canvas() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Clear();
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  void Clear() {
    GdiFlush();
    for (int i = 0; i < kSize * kSize; ++i) bits_[i] = kWhite;
  }
  // The pixel at (x, y) as a COLORREF.
  uint32_t At(int x, int y) const {
    GdiFlush();
    return SwapRedBlue(bits_[y * kSize + x] & 0xFFFFFF);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_;
};

class UIPrimitives : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(style.Init(), 0);
    style.SetUIFont("", 12, 96);
    for (int32_t i = 0; i < kPaletteSize; ++i) style.palette[i] = PaletteColor(i);
  }
  uint32_t P(int32_t i) const { return style.palette[i]; }

  CUIStyle style;
  Canvas canvas;
};

TEST_F(UIPrimitives, RectanglesFramesAndBevelEdges) {
  style.FillRect(canvas.Dc(), RECT{2, 2, 10, 6}, P(7));
  EXPECT_EQ(canvas.At(2, 2), P(7));
  EXPECT_EQ(canvas.At(9, 5), P(7));
  EXPECT_EQ(canvas.At(10, 5), kWhite);
  EXPECT_EQ(canvas.At(9, 6), kWhite);

  style.FrameRect(canvas.Dc(), RECT{20, 2, 30, 8}, P(8));
  EXPECT_EQ(canvas.At(20, 2), P(8));
  EXPECT_EQ(canvas.At(29, 7), P(8));
  EXPECT_EQ(canvas.At(25, 5), kWhite);

  style.DrawRectangle(canvas.Dc(), RECT{40, 2, 50, 8}, P(9), kHollowBrush);
  EXPECT_EQ(canvas.At(40, 2), P(9));
  EXPECT_EQ(canvas.At(45, 5), kWhite);
  style.DrawRectangle(canvas.Dc(), RECT{40, 10, 50, 16}, P(9), P(10));
  EXPECT_EQ(canvas.At(45, 13), P(10));

  // Raised: left and top in a, right and bottom in b; the corners where the edges meet follow
  // GDI's rule that a line's last point is not painted.
  style.DrawBevel(canvas.Dc(), RECT{10, 20, 20, 28}, true, P(11), P(12));
  EXPECT_EQ(canvas.At(10, 20), P(11));
  EXPECT_EQ(canvas.At(19, 20), P(11));
  EXPECT_EQ(canvas.At(10, 27), P(11));
  EXPECT_EQ(canvas.At(19, 27), P(12));
  EXPECT_EQ(canvas.At(19, 21), P(12));
  EXPECT_EQ(canvas.At(11, 27), P(12));
  EXPECT_EQ(canvas.At(15, 24), kWhite);
  EXPECT_EQ(canvas.At(20, 20), kWhite);
  style.DrawBevel(canvas.Dc(), RECT{30, 20, 40, 28}, false, P(11), P(12));
  EXPECT_EQ(canvas.At(30, 20), P(12));
  EXPECT_EQ(canvas.At(39, 27), P(11));
}

TEST_F(UIPrimitives, SeparatorSplitterAndSizeGrip) {
  style.DrawSeparator(canvas.Dc(), RECT{4, 30, 40, 32});
  EXPECT_EQ(canvas.At(4, 30), P(31));
  EXPECT_EQ(canvas.At(38, 30), P(31));
  EXPECT_EQ(canvas.At(39, 30), kWhite);
  EXPECT_EQ(canvas.At(4, 31), kWhite);
  EXPECT_EQ(canvas.At(5, 31), P(32));
  EXPECT_EQ(canvas.At(39, 31), P(32));
  style.DrawSeparator(canvas.Dc(), RECT{50, 2, 52, 20});
  EXPECT_EQ(canvas.At(50, 2), P(31));
  EXPECT_EQ(canvas.At(50, 18), P(31));
  EXPECT_EQ(canvas.At(51, 19), P(32));

  canvas.Clear();
  RECT bar{};
  style.DrawSplitter(canvas.Dc(), RECT{0, 0, 20, 20}, &bar, true);
  EXPECT_EQ(bar.right, 4);
  EXPECT_EQ(bar.bottom, 20);
  EXPECT_EQ(canvas.At(0, 0), P(2));
  EXPECT_EQ(canvas.At(0, 19), P(2));
  EXPECT_EQ(canvas.At(3, 19), P(3));
  EXPECT_EQ(canvas.At(3, 1), P(3));
  EXPECT_EQ(canvas.At(1, 1), P(30));
  EXPECT_EQ(canvas.At(2, 18), P(30));
  EXPECT_EQ(canvas.At(4, 5), kWhite);
  style.DrawSplitter(nullptr, RECT{30, 30, 60, 50}, &bar, false);
  EXPECT_EQ(bar.bottom, 34);
  EXPECT_EQ(canvas.At(40, 31), kWhite);

  // 16 high: squares of 2, 4 apart; the bottom row has three, the top one.
  canvas.Clear();
  style.DrawSizeGrip(canvas.Dc(), RECT{0, 0, 16, 16});
  EXPECT_EQ(canvas.At(12, 12), P(27));
  EXPECT_EQ(canvas.At(13, 12), P(27));
  EXPECT_EQ(canvas.At(13, 13), P(26));
  EXPECT_EQ(canvas.At(14, 14), P(26));
  EXPECT_EQ(canvas.At(15, 15), kWhite);
  EXPECT_EQ(canvas.At(4, 12), P(27));
  EXPECT_EQ(canvas.At(12, 4), P(27));
  EXPECT_EQ(canvas.At(4, 4), kWhite);
  EXPECT_EQ(canvas.At(8, 4), kWhite);
}

TEST_F(UIPrimitives, GradientEndsAndArrows) {
  style.GradientRect(canvas.Dc(), RGB(0, 0, 0), RGB(0, 200, 0), RECT{0, 0, 40, 4}, kGradientHorizontal);
  EXPECT_EQ(canvas.At(0, 2), RGB(0, 0, 0));
  EXPECT_GT(GetGValue(canvas.At(39, 2)), 190);
  EXPECT_LT(GetGValue(canvas.At(10, 2)), GetGValue(canvas.At(30, 2)));
  EXPECT_EQ(canvas.At(40, 2), kWhite);
  style.GradientRect(canvas.Dc(), RGB(200, 0, 0), RGB(0, 0, 0), RECT{0, 10, 4, 50}, kGradientVertical);
  EXPECT_EQ(canvas.At(2, 10), RGB(200, 0, 0));
  EXPECT_LT(GetRValue(canvas.At(2, 49)), 10);

  canvas.Clear();
  // 22 wide: e = 3 * 22 / 22 = 3. Pointing right from the centre (11, 11).
  style.DrawArrow(canvas.Dc(), kSelectorText, kArrowRight, RECT{0, 0, 22, 22});
  EXPECT_EQ(canvas.At(11, 11), P(4));
  EXPECT_EQ(canvas.At(13, 11), P(4));
  EXPECT_EQ(canvas.At(15, 11), kWhite);
  EXPECT_EQ(canvas.At(11, 15), kWhite);
  style.DrawArrow(canvas.Dc(), OwnColorSelector(RGB(1, 2, 3)), kArrowDown, RECT{30, 0, 52, 22});
  EXPECT_EQ(canvas.At(41, 12), RGB(1, 2, 3));
  // Too narrow for an arrow: nothing at all.
  style.DrawArrow(canvas.Dc(), kSelectorText, kArrowUp, RECT{0, 30, 6, 40});
  EXPECT_EQ(canvas.At(3, 35), kWhite);
  style.DrawGlyph(canvas.Dc(), kSelectorHighlight, RECT{20, 30, 64, 64});
  bool inked = false;
  for (int y = 30; y < 64; ++y) inked = inked || canvas.At(42, y) == P(5);
  EXPECT_TRUE(inked);
}

TEST_F(UIPrimitives, ItemFramesAndRoundedCorners) {
  style.DrawItemFrame(canvas.Dc(), RECT{0, 0, 30, 20}, 3, 0, 0, -1, -1, -1);
  EXPECT_EQ(canvas.At(0, 0), P(53));
  EXPECT_EQ(canvas.At(29, 19), P(52));
  EXPECT_EQ(canvas.At(10, 10), P(51));
  style.DrawItemFrame(canvas.Dc(), RECT{0, 30, 30, 50}, 8, 0, 0, 4, 33, 34);
  EXPECT_EQ(canvas.At(0, 30), P(4));
  EXPECT_EQ(canvas.At(1, 31), P(33));

  // Without a parent the rounded corners keep what the frame drew.
  style.DrawItemFrame(canvas.Dc(), RECT{32, 0, 62, 20}, 5, kAllCorners, 0, 10, -1, -1);
  EXPECT_EQ(canvas.At(32, 0), P(10));
  EXPECT_EQ(canvas.At(61, 19), P(10));
}

TEST_F(UIPrimitives, TextIsBoundedAndNeedsAFormat) {
  const std::string longText(2000, 'W');
  EXPECT_EQ(style.DrawTextF(canvas.Dc(), 96, "%s", kSelectorText, RECT{0, 0, 64, 20}, kTextAlignLeft, false,
                            longText.c_str()),
            0);
  EXPECT_EQ(canvas.At(63, 10), kWhite);  // the ellipsis keeps the text inside
  EXPECT_EQ(style.DrawTextF(canvas.Dc(), 96, "%s", kSelectorText, RECT{0, 20, 64, 64},
                            kTextAlignCentre | kTextVertical, true, "%n%s%s"),
            0);
  EXPECT_EQ(style.DrawTextF(canvas.Dc(), 96, nullptr, kSelectorText, RECT{0, 0, 10, 10}, 0, false),
            ZRF_ERR_NO_TEXT);
}

TEST_F(UIPrimitives, BufferedPaintReachesTheDcOnlyAtTheEnd) {
  HDC dc = canvas.Dc();
  BufferedPaint paint;
  style.BeginBuffer(&paint, &dc, 20, 10);
  ASSERT_NE(dc, canvas.Dc());
  style.FillRect(dc, RECT{0, 0, 20, 10}, P(14));
  EXPECT_EQ(canvas.At(5, 5), kWhite);
  style.EndBuffer(&paint);
  EXPECT_EQ(canvas.At(5, 5), P(14));
  EXPECT_EQ(canvas.At(19, 9), P(14));
  EXPECT_EQ(canvas.At(20, 5), kWhite);
  EXPECT_EQ(style.bufferWindow, nullptr);

  // A bitmap that cannot be made leaves the caller's DC in place, and the paint goes to it.
  dc = canvas.Dc();
  style.BeginBuffer(&paint, &dc, 0x7FFFFFF, 0x7FFFFFF);
  EXPECT_EQ(dc, canvas.Dc());
  EXPECT_EQ(paint.memoryDc, nullptr);
  style.FillRect(dc, RECT{30, 0, 40, 10}, P(15));
  style.EndBuffer(&paint);
  EXPECT_EQ(canvas.At(35, 5), P(15));
}

// A parent that paints its background white and remembers what it was asked.
struct BackgroundRequest {
  HDC dc;
  int x;
  int y;
  int count;
};
BackgroundRequest gRequest;

LRESULT CALLBACK WhiteParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == zrf::WM_ZRF_PAINTBACKGROUND) {
    gRequest.dc = reinterpret_cast<HDC>(wParam);
    gRequest.x = static_cast<short>(LOWORD(lParam));
    gRequest.y = static_cast<short>(HIWORD(lParam));
    ++gRequest.count;
    RECT all{-1000, -1000, 1000, 1000};
    FillRect(gRequest.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return 0;
  }
  if (message == zrf::WM_ZRF_DRAWICON) {
    const auto* request = reinterpret_cast<const DrawIconRequest*>(lParam);
    return static_cast<LRESULT>(request->commandId + 65536 * request->rect.right);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND gIconWindow = nullptr;

TEST_F(UIPrimitives, ParentBackgroundAndCornersComeFromTheParent) {
  WNDCLASSA parentClass{};
  parentClass.lpfnWndProc = WhiteParentProc;
  parentClass.hInstance = GetModuleHandleA(nullptr);
  parentClass.lpszClassName = "PrimitivesParent";
  RegisterClassA(&parentClass);
  HWND parent = CreateWindowExA(0, "PrimitivesParent", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, -5, 7, 50, 50, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(child, nullptr);

  // An item's buffered paint: the memory DC has no window, the buffered window stands in.
  HDC childDc = GetDC(child);
  HDC dc = childDc;
  BufferedPaint paint;
  style.BeginBuffer(&paint, &dc, 50, 50);
  EXPECT_EQ(style.bufferWindow, child);
  gRequest = {};
  style.DrawParentBackground(nullptr, dc, RECT{0, 0, 10, 10});
  EXPECT_EQ(gRequest.count, 1);
  EXPECT_EQ(gRequest.dc, dc);
  EXPECT_EQ(gRequest.x, -5);
  EXPECT_EQ(gRequest.y, 7);
  style.EndBuffer(&paint);
  ReleaseDC(child, childDc);

  // Corners of a black frame against the white parent, in the canvas standing for the child.
  style.FillRect(canvas.Dc(), RECT{0, 0, 20, 20}, RGB(0, 0, 0));
  style.DrawCorner(parent, canvas.Dc(), RECT{0, 0, 3, 3}, kCornerMasks[0]);
  EXPECT_EQ(canvas.At(0, 0), kWhite);
  EXPECT_EQ(canvas.At(1, 0), RGB(153, 153, 153));
  EXPECT_EQ(canvas.At(1, 1), RGB(38, 38, 38));
  EXPECT_EQ(canvas.At(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(3, 0), RGB(0, 0, 0));
  style.DrawCorner(parent, canvas.Dc(), RECT{17, 17, 20, 20}, kCornerMasks[3]);
  EXPECT_EQ(canvas.At(19, 19), kWhite);
  EXPECT_EQ(canvas.At(17, 17), RGB(0, 0, 0));

  // Owner-drawn icons go to the window that draws them, with the command and the rectangle.
  const int32_t drawnSize[2] = {16, 16};
  ASSERT_GE(style.AddIcon(0xF134, 0, drawnSize, kIconOwnerDrawn, 16), 0);
  EXPECT_EQ(style.DrawCommandIcon(canvas.Dc(), 0xF134, 1, RECT{0, 0, 16, 16}), 0);
  gIconWindow = parent;
  style.drawIconWindow = [] { return gIconWindow; };
  EXPECT_EQ(style.DrawCommandIcon(canvas.Dc(), 0xF134, 1, RECT{0, 0, 16, 16}), 0xF134 + 65536 * 16);
  DestroyWindow(parent);
}

TEST_F(UIPrimitives, CommandIconsNormalTintedOrMissing) {
  ASSERT_GE(style.AddIcon(0xF110, 1, nullptr, 0, 16), 0);
  EXPECT_EQ(style.DrawCommandIcon(canvas.Dc(), 0xF111, 1, RECT{0, 0, 16, 16}), ZRF_ERR_NO_ICON);
  EXPECT_EQ(style.DrawCommandIcon(canvas.Dc(), 0xF110, 1, RECT{0, 0, 16, 16}), 0);
  EXPECT_EQ(style.DrawCommandIcon(canvas.Dc(), 0xF110, 0, RECT{20, 0, 36, 16}), 0);
  // Icon 1 is opaque on its left half only.
  EXPECT_NE(canvas.At(3, 8), kWhite);
  EXPECT_EQ(canvas.At(13, 8), kWhite);
  EXPECT_NE(canvas.At(3, 8), canvas.At(23, 8));
  // The tinted twin is a shade between P1 and P3, channel by channel.
  const uint32_t tinted = canvas.At(23, 8);
  EXPECT_GE(GetRValue(tinted), GetRValue(P(1)));
  EXPECT_LE(GetRValue(tinted), GetRValue(P(3)));
  EXPECT_GE(GetBValue(tinted), GetBValue(P(1)));
  EXPECT_LE(GetBValue(tinted), GetBValue(P(3)));
}

}  // namespace
