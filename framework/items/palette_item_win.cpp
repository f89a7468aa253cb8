// CPalette; see palette_item_win.h.
#include "framework/items/palette_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/color_hsl.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/palette_grid.h"
#include "framework/items/value_item_support_win.h"

namespace {

ZrfRect ToZrf(const RECT& r) {
  return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
          static_cast<int32_t>(r.bottom)};
}

RECT ToRect(const ZrfRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

int32_t SwatchAt(const CPalette* palette, LPARAM lParam) {
  PaletteGrid grid{};
  for (int32_t i = 0; i < kPaletteSwatches; ++i) grid.cells[i] = ToZrf(palette->swatches[i]);
  return PaletteSwatchAt(grid, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

void PaletteHook(HWND window, UINT message, WPARAM, LPARAM lParam, CUIItem* item) {
  auto* palette = static_cast<CPalette*>(item);
  UIPaletteValue* record = palette->value;
  if (record == nullptr) return;
  const POINT point = ScreenPointOf(window, lParam);
  switch (message) {
    case WM_MOUSEMOVE: {
      (void)PickScreenColor(ScreenPixelAt(point), &record->picked);
      if (!IsOutside(window, point)) return;
      ShowEyedropper();
      // The selection comes from the program's record: only a real swatch takes the colour.
      if (IsSwatchIndex(record->selected)) {
        record->colors[record->selected] = record->picked;
        RepaintNow(palette);
      }
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const int32_t swatch = SwatchAt(palette, lParam);
      if (swatch >= 0) record->selected = swatch;
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (IsOutside(window, point)) NotifyValueChanged(palette, 0);
      return;
    default:
      return;
  }
}

}  // namespace

CPalette::CPalette() : value(nullptr), swatches{} { kind = kItemPalette; }

int32_t CPalette::OnCreate(const CommandRecord& command, HWND, HWND, CUIItem*) {
  value = ValueRecordOf<UIPaletteValue>(command);
  if (value == nullptr) return ZRF_ERR_UNKNOWN_COMMAND;
  SetsOwnDrag(this);
  SetMessageHook(PaletteHook);
  return ZRF_OK;
}

void CPalette::OnMeasure(const CommandRecord&, int32_t orientation) {
  const int32_t u = SpaceWidth();
  extraSize = orientation == kOrientationColumn ? ItemSize{6 * u, 32 * u} : ItemSize{32 * u, 6 * u};
}

void CPalette::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  PaintItemFrame(paint, paint.state.frameStyle, StandardIconColumn(paint));
  LayoutParts(client, 0, paint.state.centre, paint.inPopup);
  PaintItemIcon(paint);
  PaintItemLabel(paint, paint.state.textSelector, labelRect);
  PaintItemShortcut(paint, paint.state.textSelector);
  if (value != nullptr) {
    const PaletteGrid grid = LayoutPaletteGrid(ToZrf(extraRect), paint.u, paint.inPopup);
    const bool enabled = (paint.command.flags & kItemEnabled) != 0;
    for (int32_t row = 0; row < grid.rows; ++row) {
      for (int32_t column = 0; column < grid.columns; ++column) {
        const int32_t i = row * grid.columns + column;
        swatches[i] = ToRect(grid.cells[i]);
        const uint32_t color = enabled ? SwapRedBlue(value->colors[i])
                                       : gApp.style.palette[(column + row) % 2 == 0 ? 55 : 56];
        gApp.style.DrawRectangle(paint.dc, swatches[i], color, color);
      }
    }
    if (paint.state.frameStyle == kFrameNone) {
      RECT outline = ToRect(grid.bounds);
      InflateRect(&outline, 1, 1);
      gApp.style.FrameRect(paint.dc, outline, gApp.style.palette[54]);
    }
  }
  EndItemPaint(&paint);
}
