// Conversions between the platform-free rectangle and the Win32 RECT, which have the same fields.
#pragma once

#include <windows.h>

#include "framework/base/zrf_rect.h"

inline ZrfRect ToZrfRect(const RECT& rect) {
  return {static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top), static_cast<int32_t>(rect.right),
          static_cast<int32_t>(rect.bottom)};
}

inline RECT ToWinRect(const ZrfRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
