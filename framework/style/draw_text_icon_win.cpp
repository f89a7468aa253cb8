// Text and command icons of the UI style: DrawTextF, across or turned down, and DrawCommandIcon
// with its normal, tinted and owner-drawn forms.
#include <cstdarg>
#include <cstdio>

#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/base/zrf_results.h"
#include "framework/style/ui_shapes.h"
#include "framework/style/ui_style_win.h"

namespace {

// What DrawTextF formats into; owner texts of any length are cut here.
constexpr size_t kTextBufferSize = 1040;

UINT AlignmentFlags(uint32_t alignment) {
  switch (alignment & 3) {
    case kTextAlignCentre:
      return DT_CENTER;
    case kTextAlignRight:
      return DT_RIGHT;
    default:
      return DT_LEFT;
  }
}

}  // namespace

int32_t CUIStyle::DrawTextF(HDC dc, int32_t dpi, const char* format, uint32_t selector, const RECT& rect,
                            uint32_t alignment, bool bold, ...) {
  if (format == nullptr) return ZRF_ERR_NO_TEXT;
  char text[kTextBufferSize];
  va_list arguments;
  va_start(arguments, bold);
  const int length = std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (length < 0) return ZRF_OK;
  const int shown = length < int(sizeof text) ? length : int(sizeof text) - 1;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, SelectorColor(selector, palette));
  if ((alignment & kTextVertical) != 0) {
    ScopedSelect font(dc, FontForDpi(kFontUIVertical, dpi));
    SetMapMode(dc, MM_TEXT);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, shown, &extent);
    const ZrfPoint origin = VerticalTextOrigin(ToZrfRect(rect), extent.cx, extent.cy, alignment & 3);
    ExtTextOutA(dc, origin.x, origin.y, ETO_CLIPPED, &rect, text, static_cast<UINT>(shown), nullptr);
    return ZRF_OK;
  }
  ScopedSelect font(dc, FontForDpi(bold ? kFontUIBold : kFontUI, dpi));
  RECT area = rect;
  DrawTextA(dc, text, shown, &area,
            AlignmentFlags(alignment) | DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  return ZRF_OK;
}

int32_t CUIStyle::DrawCommandIcon(HDC dc, uint16_t commandId, uint32_t state, const RECT& rect) {
  const int32_t position = IconIndex(commandId);
  if (position < 0) return ZRF_ERR_NO_ICON;
  const IconEntry& entry = Icon(position);
  if (entry.flags == kIconOwnerDrawn) {
    HWND window = drawIconWindow != nullptr ? drawIconWindow() : nullptr;
    if (window == nullptr) return ZRF_OK;
    DrawIconRequest request{commandId, rect};
    return static_cast<int32_t>(SendMessageA(window, zrf::WM_ZRF_DRAWICON, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(&request)));
  }
  HICON icon = static_cast<HICON>((state & 1) != 0 ? entry.normalIcon : entry.tintedIcon);
  if (icon == nullptr) return ZRF_OK;
  // HALFTONE keeps a scaled icon smooth; it needs the brush origin set after it.
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin{};
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  DrawIconEx(dc, rect.left, rect.top, icon, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr,
             DI_NORMAL);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  if (oldMode != 0) SetStretchBltMode(dc, oldMode);
  return ZRF_OK;
}
