// CSlider; see slider_item_win.h.
#include "framework/items/slider_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/slider_track.h"
#include "framework/items/value_item_support_win.h"

namespace {

// The slider whose thumb is being dragged; one drag at a time serves every slider.
CSlider* gDragged = nullptr;

constexpr LPARAM kSliderNotice = 1;

void SetValue(CSlider* slider, int32_t newValue) {
  if (newValue == slider->value->value) return;
  slider->value->value = newValue;
  RepaintNow(slider);
  NotifyValueChanged(slider, kSliderNotice);
}

void SliderHook(HWND window, UINT message, WPARAM, LPARAM lParam, CUIItem* item) {
  auto* slider = static_cast<CSlider*>(item);
  const bool enabled = (slider->CommandFlags() & kItemEnabled) != 0;
  const int32_t x = static_cast<short>(LOWORD(lParam));
  const int32_t y = static_cast<short>(HIWORD(lParam));
  UIValueRange& range = *slider->value;
  switch (message) {
    case WM_LBUTTONDOWN: {
      if (!enabled) return;
      SetFocus(window);
      const POINT point{x, y};
      if (PtInRect(&slider->thumb, point)) {
        gDragged = slider;
        return;
      }
      SetValue(slider, SliderStep(ToZrfRect(slider->thumb), x, range.value, range.min, range.max));
      return;
    }
    case WM_MOUSEMOVE:
      if (gDragged == slider && enabled)
        SetValue(slider, SliderDragValue(ToZrfRect(slider->extraRect), x, range.min, range.max));
      return;
    case WM_LBUTTONUP:
      if (gDragged == slider) gDragged = nullptr;
      return;
    default:
      return;
  }
}

}  // namespace

CSlider::CSlider() : value(nullptr), thumb{} { kind = kItemSlider; }

CSlider::~CSlider() {
  if (gDragged == this) gDragged = nullptr;
}

int32_t CSlider::OnCreate(const CommandRecord& command, HWND, HWND, CUIItem*) {
  return SetUpValueItem(this, command, &value, SliderHook, false);
}

void CSlider::OnMeasure(const CommandRecord&, int32_t) {
  const int32_t textHeight = gApp.style.TextHeight(Dpi());
  extraSize = {7 * textHeight, textHeight};
}

void CSlider::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  PaintFrameAndTexts(paint, kFrameNone, 0, 0, true);
  const uint32_t commandFlags = paint.command.flags;
  const bool enabled = (commandFlags & kItemEnabled) != 0;
  if (value == nullptr) {
    EndItemPaint(&paint);
    return;
  }
  const ZrfRect extra = ToZrfRect(extraRect);
  gApp.style.DrawItemFrame(paint.dc, ToWinRect(SliderTrack(extra)), kFrameSunken, 0, 0, enabled ? 33 : 56, -1,
                           -1);
  thumb = ToWinRect(SliderThumb(extra, value->value, value->min, value->max));
  int32_t thumbStyle = enabled ? kFrameGradient : kFrameRaised;
  if ((commandFlags & kItemHot) != 0) thumbStyle = kFrameHot;
  if ((commandFlags & kItemPressed) != 0) thumbStyle = kFramePressed;
  gApp.style.DrawItemFrame(paint.dc, thumb, thumbStyle, kAllCorners, 0, enabled ? 4 : 55, 33, 34);
  EndItemPaint(&paint);
}
