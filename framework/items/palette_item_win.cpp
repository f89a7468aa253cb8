// CPalette; see palette_item_win.h.
#include "framework/items/palette_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/color_hsl.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/palette_grid.h"
#include "framework/items/value_item_support_win.h"

namespace {

int32_t SwatchAt(const CPalette* palette, LPARAM lParam) {
  PaletteGrid grid{};
  for (int32_t i = 0; i < kPaletteSwatches; ++i) grid.cells[i] = ToZrfRect(palette->swatches[i]);
  return PaletteSwatchAt(grid, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

void PaletteHook(HWND window, UINT message, WPARAM, LPARAM lParam, CUIItem* item) {
  auto* palette = static_cast<CPalette*>(item);
  UIPaletteValue* record = palette->value;
  if (record == nullptr) return;
  const POINT point = ScreenPointOf(window, lParam);
  NotifyWhenReleasedOutside(palette, message, point);
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
    const int32_t swatch = SwatchAt(palette, lParam);
    if (swatch >= 0) record->selected = swatch;
    return;
  }
  if (message != WM_MOUSEMOVE) return;
  (void)PickScreenColor(ScreenPixelAt(point), &record->picked);
  if (!IsOutside(window, point)) return;
  ShowEyedropper();
  // The selection comes from the program's record: only a real swatch takes the colour.
  if (IsSwatchIndex(record->selected)) {
    record->colors[record->selected] = record->picked;
    RepaintNow(palette);
  }
}

}  // namespace

CPalette::CPalette() : value(nullptr), swatches{} { kind = kItemPalette; }

int32_t CPalette::OnCreate(const CommandRecord& command, HWND, HWND, CUIItem*) {
  return SetUpValueItem(this, command, &value, PaletteHook, true);
}

void CPalette::OnMeasure(const CommandRecord&, int32_t orientation) {
  const int32_t u = SpaceWidth();
  extraSize = orientation == kOrientationColumn ? ItemSize{6 * u, 32 * u} : ItemSize{32 * u, 6 * u};
}

void CPalette::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  PaintFrameAndTexts(paint, paint.state.frameStyle, StandardIconColumn(paint), 0, true);
  if (value != nullptr) {
    const PaletteGrid grid = LayoutPaletteGrid(ToZrfRect(extraRect), paint.u, paint.inPopup);
    const bool enabled = (paint.command.flags & kItemEnabled) != 0;
    for (int32_t row = 0; row < grid.rows; ++row) {
      for (int32_t column = 0; column < grid.columns; ++column) {
        const int32_t i = row * grid.columns + column;
        swatches[i] = ToWinRect(grid.cells[i]);
        const uint32_t color =
            enabled ? SwapRedBlue(value->colors[i]) : gApp.style.palette[(column + row) % 2 == 0 ? 55 : 56];
        gApp.style.DrawRectangle(paint.dc, swatches[i], color, color);
      }
    }
    if (paint.state.frameStyle == kFrameNone) {
      RECT outline = ToWinRect(grid.bounds);
      InflateRect(&outline, 1, 1);
      gApp.style.FrameRect(paint.dc, outline, gApp.style.palette[54]);
    }
  }
  EndItemPaint(&paint);
}
