// The few GDI steps the plant dialog's self-drawn controls share: their client rectangle as a
// ZrfRect, and filling part of it in one colour.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/base/zrf_rect.h"

namespace plantapp {

[[nodiscard]] ZrfRect ClientRectOf(HWND window);
[[nodiscard]] RECT ToRect(const ZrfRect& rect);

/// Fills rect of window's client area with colour (a COLORREF) through a DC of its own.
void FillClientRect(HWND window, const ZrfRect& rect, uint32_t colour);
/// The same on a DC the caller holds.
void FillRectWith(HDC dc, const ZrfRect& rect, uint32_t colour);

}  // namespace plantapp
