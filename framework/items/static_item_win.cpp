// CStatic; see static_item_win.h.
#include "framework/items/static_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/static_label.h"

namespace {

int32_t StaticFrameStyle(uint32_t flags) {
  if ((flags & kItemVariantA) != 0) return kFrameRaised;
  if ((flags & kItemVariantB) != 0) return kFrameSunken;
  return kFrameNone;
}

// The bar of `label`'s progress after its text, and the value in percent beyond the bar.
void PaintProgress(ItemPaint& paint, const StaticLabel& label, const RECT& textRect, int32_t shift,
                   uint32_t selector) {
  int32_t textWidth = 0, textHeight = 0;
  (void)gApp.style.MeasureTextUI(label.text, &textWidth, &textHeight, paint.state.bold, paint.dpi);
  const RECT labelRect = paint.item->labelRect;
  const RECT bar = ToWinRect(ProgressBarRect(ToZrfRect(labelRect), shift, textWidth, textHeight, paint.u));
  gApp.style.FrameRect(paint.dc, bar, gApp.style.palette[4]);
  RECT inside;
  DeflateRect(bar, &inside, 1);
  inside.right = inside.left + ProgressFillWidth(inside.right - inside.left, label.progress);
  if (inside.right > inside.left) gApp.style.FillRect(paint.dc, inside, gApp.style.palette[46]);
  const RECT valueRect{bar.right + 2 * paint.u, textRect.top, labelRect.right, textRect.bottom};
  (void)gApp.style.DrawTextF(paint.dc, paint.dpi, "%d%%", selector, valueRect, kTextAlignLeft,
                             paint.state.bold, label.progress);
}

}  // namespace

CStatic::CStatic() { kind = kItemStatic; }

void CStatic::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  const int32_t style = StaticFrameStyle(paint.command.flags);
  PaintItemFrame(paint, style, StandardIconColumn(paint));
  LayoutParts(client, 0, paint.state.centre, paint.inPopup);
  PaintItemIcon(paint);
  // Never highlighted: a static does not react to the mouse.
  const uint32_t selector = (paint.command.flags & kItemEnabled) != 0 ? kSelectorText : kSelectorShadow;
  if (labelSize.cx > 0) {
    const StaticLabel label = ParseStaticLabel(ItemLabelText(paint));
    const int32_t labelHeight = labelRect.bottom - labelRect.top;
    int32_t shift = 0;
    if (label.iconCommand != 0) {
      const RECT square{labelRect.left, labelRect.top, labelRect.left + labelHeight,
                        labelRect.top + labelHeight};
      (void)gApp.style.DrawCommandIcon(paint.dc, label.iconCommand, kItemEnabled, square);
      shift = labelHeight + paint.u;
    }
    const RECT textRect{labelRect.left + shift, labelRect.top, labelRect.right, labelRect.bottom};
    const uint32_t alignment = paint.state.centre ? kTextAlignCentre : kTextAlignLeft;
    (void)gApp.style.DrawTextF(paint.dc, paint.dpi, "%s", selector, textRect, alignment, paint.state.bold,
                               label.text);
    if (label.hasProgress) PaintProgress(paint, label, textRect, shift, selector);
  }
  PaintItemShortcut(paint, selector);
  EndItemPaint(&paint);
}

void CStatic::OnSize() {
  if ((flags & kItemStretch) != 0 && hwnd != nullptr)
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
