// The Info page's health bar: a static that paints itself as a bar of the plant's health, green,
// yellow or red by the percent, on the button face.
#pragma once

#include <windows.h>

#include <cstdint>

namespace plantapp {

/// Makes bar (a static) paint the health percent it holds in its window user data. False when the
/// subclass could not be set.
bool SubclassHealthBar(HWND bar);

/// Sets the percent (0 to 100) bar shows and repaints it.
void SetHealthBarPercent(HWND bar, int32_t percent);

}  // namespace plantapp
