// CBrushSize; see brush_size_item_win.h.
#include "framework/items/brush_size_item_win.h"

#include <cstdio>
#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_results.h"
#include "framework/items/brush_size_drag.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/value_item_support_win.h"

namespace {

constexpr int32_t kSwatchIconSize = 22;
constexpr uint16_t kBrushIconCommand = 0xF16C;
constexpr int32_t kValueFontWeight = 800;
constexpr UINT kValueTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

// The drag under way; one at a time serves every brush-size item.
struct BrushDrag {
  CBrushSize* item = nullptr;
  int32_t startY = kNoBrushDrag;
  int32_t startValue = 0;
};
BrushDrag gDrag;

HFONT MakeValueFont(int32_t height) {
  return CreateFontA(-height, 0, 0, 0, kValueFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
}

struct MeasureContext {
  HDC dc;
  const char* text;
};

// Each font tried is deleted at once; only the one chosen is made again and kept.
void MeasureInFont(void* context, int32_t height, int32_t* width, int32_t* textHeight) {
  const auto& measure = *static_cast<const MeasureContext*>(context);
  ScopedGdiObject<HFONT> font(MakeValueFont(height));
  ScopedSelect select(measure.dc, font.Get());
  RECT rect{};
  DrawTextA(measure.dc, measure.text, -1, &rect, DT_CALCRECT | DT_NOCLIP);
  *width = rect.right - rect.left;
  *textHeight = rect.bottom - rect.top;
}

void BrushHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, CUIItem* item) {
  auto* brush = static_cast<CBrushSize*>(item);
  if (brush->value == nullptr) return;
  const bool enabled = (brush->CommandFlags() & kItemEnabled) != 0;
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!enabled) return;
      gDrag = {brush, ScreenPointOf(window, lParam).y, brush->value->value};
      return;
    case WM_MOUSEMOVE: {
      if (gDrag.item != brush || gDrag.startY == kNoBrushDrag || (wParam & MK_LBUTTON) == 0) return;
      UIValueRange& range = *brush->value;
      range.value = BrushDragValue(gDrag.startValue, gDrag.startY, ScreenPointOf(window, lParam).y, range.min,
                                   range.max);
      RepaintNow(brush);
      return;
    }
    case WM_LBUTTONUP:
      if (gDrag.item != brush) return;
      gDrag = {};
      NotifyValueChanged(brush, 0);
      return;
    default:
      return;
  }
}

}  // namespace

void MeasureSwatchIcon(CUIItem* item) { item->iconSize = {kSwatchIconSize, kSwatchIconSize}; }

CBrushSize::CBrushSize()
    : value(nullptr),
      lastValue(-1),
      lastTextLength(-1),
      lastWidth(0),
      valueFont(nullptr),
      textRect{},
      valueText{} {
  kind = kItemBrushSize;
}

CBrushSize::~CBrushSize() {
  if (gDrag.item == this) gDrag = {};
  if (valueFont != nullptr) DeleteObject(valueFont);
}

int32_t CBrushSize::OnCreate(const CommandRecord& command, HWND, HWND, CUIItem*) {
  return SetUpValueItem(this, command, &value, BrushHook, true);
}

void CBrushSize::OnMeasure(const CommandRecord&, int32_t) { MeasureSwatchIcon(this); }

void CBrushSize::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  PaintFrameAndTexts(paint, paint.state.frameStyle, paint.inPopup ? labelSize.cy : 0, paint.state.pressOffset,
                     false);
  (void)gApp.style.DrawCommandIcon(paint.dc, kBrushIconCommand, paint.command.flags, iconRect);
  if (value != nullptr) {
    const int32_t clientWidth = client.right - client.left;
    const int32_t clientHeight = client.bottom - client.top;
    if (value->value != lastValue || clientWidth != lastWidth) {
      std::snprintf(valueText, sizeof valueText, "%d", value->value);
      lastValue = value->value;
    }
    const int32_t length = static_cast<int32_t>(std::strlen(valueText));
    if (length != lastTextLength || clientWidth != lastWidth || valueFont == nullptr) {
      MeasureContext context{paint.dc, valueText};
      const int32_t fontHeight =
          FitBrushFontHeight(paint.dpi, clientWidth, clientHeight, MeasureInFont, &context);
      if (valueFont != nullptr) DeleteObject(valueFont);
      valueFont = MakeValueFont(fontHeight);
      lastTextLength = length;
      lastWidth = clientWidth;
    }
    textRect = iconRect;
    ScopedSelect font(paint.dc, valueFont);
    SetBkMode(paint.dc, TRANSPARENT);
    SetTextColor(paint.dc, SelectorColor(paint.state.textSelector, gApp.style.palette));
    DrawTextA(paint.dc, valueText, -1, &textRect, kValueTextFormat);
  }
  EndItemPaint(&paint);
}
