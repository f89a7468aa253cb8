// Item frames: the parent's background behind an item, the frame styles of item_frame_plan.h and
// the rounded corners of corner_blend.h.
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/style/item_frame_plan.h"
#include "framework/style/ui_style_win.h"

namespace {

// The window a DC paints: its own, or, for the memory DC of a buffered paint, the buffered one.
HWND WindowOfDc(HDC dc, HWND bufferWindow) {
  HWND window = WindowFromDC(dc);
  return window != nullptr ? window : bufferWindow;
}

void ReadBlock(const uint32_t* bits, int32_t column, uint32_t (&block)[kCornerPixels]) {
  for (int32_t y = 0; y < kCornerSize; ++y) {
    for (int32_t x = 0; x < kCornerSize; ++x)
      block[y * kCornerSize + x] = bits[y * 16 + column + x] & 0xFFFFFF;
  }
}

void WriteBlock(uint32_t* bits, int32_t column, const uint32_t (&block)[kCornerPixels]) {
  for (int32_t y = 0; y < kCornerSize; ++y) {
    for (int32_t x = 0; x < kCornerSize; ++x) bits[y * 16 + column + x] = block[y * kCornerSize + x];
  }
}

// Columns of the style's 16 x 16 DIB that hold the three blocks of a corner blend.
constexpr int32_t kBackgroundColumn = 0;
constexpr int32_t kCurrentColumn = 4;
constexpr int32_t kResultColumn = 8;

}  // namespace

void CUIStyle::DrawParentBackground(HWND parent, HDC dc, const RECT& rect) {
  HWND window = WindowOfDc(dc, bufferWindow);
  if (parent == nullptr && window != nullptr) parent = GetParent(window);
  if (parent == nullptr) return;
  POINT origin{0, 0};
  if (window != nullptr) MapWindowPoints(window, parent, &origin, 1);
  // SaveDC keeps whatever clip the caller had; selecting no region would throw it away.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  SendMessageA(parent, zrf::WM_ZRF_PAINTBACKGROUND, reinterpret_cast<WPARAM>(dc),
               MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
  if (saved != 0) RestoreDC(dc, saved);
}

void CUIStyle::DrawCorner(HWND parent, HDC dc, const RECT& corner, const CornerMask& mask) {
  {
    std::lock_guard<std::mutex> lock(dcMutex_);
    if (memoryDc == nullptr || dibBits == nullptr) return;
    BitBlt(memoryDc, kCurrentColumn, 0, kCornerSize, kCornerSize, dc, corner.left, corner.top, SRCCOPY);
  }
  // The parent paints straight into the corner; the lock is not held while it does, because its
  // painting may measure text through this style.
  DrawParentBackground(parent, dc, corner);
  std::lock_guard<std::mutex> lock(dcMutex_);
  BitBlt(memoryDc, kBackgroundColumn, 0, kCornerSize, kCornerSize, dc, corner.left, corner.top, SRCCOPY);
  GdiFlush();
  uint32_t background[kCornerPixels], current[kCornerPixels], result[kCornerPixels];
  ReadBlock(dibBits, kBackgroundColumn, background);
  ReadBlock(dibBits, kCurrentColumn, current);
  BlendCorner(mask, background, current, result);
  WriteBlock(dibBits, kResultColumn, result);
  BitBlt(dc, corner.left, corner.top, kCornerSize, kCornerSize, memoryDc, kResultColumn, 0, SRCCOPY);
}

void CUIStyle::DrawItemFrame(HDC dc, const RECT& rect, int32_t style, uint32_t corners, int32_t width,
                             int32_t colorIndex, int32_t gradientFrom, int32_t gradientTo) {
  const ItemFramePlan plan =
      PlanItemFrame(style, ToZrfRect(rect), width, colorIndex, gradientFrom, gradientTo, palette);
  if (plan.parentBackground) DrawParentBackground(nullptr, dc, rect);
  if (plan.fill) FillRect(dc, ToWinRect(plan.fillRect), plan.fillColor);
  const RECT area = ToWinRect(plan.rect);
  if (plan.frame) FrameRect(dc, area, plan.frameColor);
  if (plan.gradient) {
    RECT inside;
    DeflateRect(area, &inside, 1);
    GradientRect(dc, plan.gradientTop, plan.gradientBottom, inside, kGradientVertical);
  }
  if (plan.bevel) DrawBevel(dc, area, true, plan.bevelTopLeft, plan.bevelBottomRight);
  if (area.right - area.left < 2 * kCornerSize || area.bottom - area.top < 2 * kCornerSize) return;
  const RECT cornerRects[4] = {
      {area.left, area.top, area.left + kCornerSize, area.top + kCornerSize},
      {area.right - kCornerSize, area.top, area.right, area.top + kCornerSize},
      {area.left, area.bottom - kCornerSize, area.left + kCornerSize, area.bottom},
      {area.right - kCornerSize, area.bottom - kCornerSize, area.right, area.bottom},
  };
  for (int32_t i = 0; i < 4; ++i) {
    if ((corners & (1u << i)) != 0) DrawCorner(nullptr, dc, cornerRects[i], kCornerMasks[i]);
  }
}
