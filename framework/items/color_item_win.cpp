// CColor; see color_item_win.h.
#include "framework/items/color_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/color_hsl.h"
#include "framework/base/zrf_results.h"
#include "framework/items/brush_size_item_win.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/value_item_support_win.h"

namespace {

constexpr uint16_t kFramedSwatchIcon = 0xF16D;
constexpr uint16_t kPlainSwatchIcon = 0xF16C;

void ColorHook(HWND window, UINT message, WPARAM, LPARAM lParam, CUIItem* item) {
  auto* color = static_cast<CColor*>(item);
  if (color->value == nullptr) return;
  const POINT point = ScreenPointOf(window, lParam);
  NotifyWhenReleasedOutside(color, message, point);
  // Outside the item a move arrives only while the button pressed on it is held (capture).
  if (message != WM_MOUSEMOVE || !IsOutside(window, point)) return;
  ShowEyedropper();
  if (PickScreenColor(ScreenPixelAt(point), &color->value->color)) RepaintNow(color);
}

}  // namespace

CColor::CColor() : value(nullptr) { kind = kItemColor; }

int32_t CColor::OnCreate(const CommandRecord& command, HWND, HWND, CUIItem*) {
  return SetUpValueItem(this, command, &value, ColorHook, true);
}

void CColor::OnMeasure(const CommandRecord&, int32_t) { MeasureSwatchIcon(this); }

void CColor::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  PaintFrameAndTexts(paint, paint.state.frameStyle, StandardIconColumn(paint), paint.state.pressOffset,
                     false);
  if (value != nullptr) {
    const bool enabled = (paint.command.flags & kItemEnabled) != 0;
    const uint32_t fill = enabled ? SwapRedBlue(value->color) : gApp.style.palette[0];
    HGDIOBJ oldPen = SelectObject(paint.dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(paint.dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(paint.dc, fill);
    // A null pen leaves the right and bottom edge out: one more pixel each way fills the part.
    Ellipse(paint.dc, iconRect.left, iconRect.top, iconRect.right + 1, iconRect.bottom + 1);
    SelectObject(paint.dc, oldBrush);
    SelectObject(paint.dc, oldPen);
    const uint16_t overlay = value->variant == 0 ? kFramedSwatchIcon : kPlainSwatchIcon;
    (void)gApp.style.DrawCommandIcon(paint.dc, overlay, paint.command.flags, iconRect);
  }
  EndItemPaint(&paint);
}
