// The Care page's water and fertiliser bars: statics that show a working level as a coloured bar.
#pragma once

#include <windows.h>

#include <cstdint>

namespace plantapp {

/// Makes bar (a static) show *level (0 to 1, the Care page's working copy, which must outlive the
/// bar) as a bar of colour (a COLORREF) from its left edge, painted over the static on every
/// WM_PAINT. False when the subclass could not be set.
bool SubclassLevelBar(HWND bar, const double* level, uint32_t colour);

}  // namespace plantapp
