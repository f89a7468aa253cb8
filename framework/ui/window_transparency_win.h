// Making a window see-through and, optionally, click-through.
#pragma once

#include <windows.h>

#include <cstdint>

/// Percent 0 (or less): the window loses WS_EX_LAYERED and WS_EX_TRANSPARENT and is redrawn with
/// its frame and children. Otherwise it becomes layered with alpha TransparencyAlpha(percent),
/// and WS_EX_TRANSPARENT follows `clickThrough`.
void SetWindowTransparency(HWND window, int32_t percent, bool clickThrough);
