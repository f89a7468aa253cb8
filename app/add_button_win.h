// The Care page's add-water and add-fertilizer buttons: pressed and held, they step a working
// level up (down with Ctrl) at once and then ten times a second, telling the page after each step.
#pragma once

#include <windows.h>

namespace plantapp {

/// Id of the repeat timer on the button.
inline constexpr UINT_PTR kAddRepeatTimer = 4096;
/// Period of the repeat timer in milliseconds.
inline constexpr UINT kAddRepeatPeriodMs = 100;

/// Makes button step *level (a working level, which must outlive it) while it is held, and send
/// its parent PlantRefresh after each step. The repeat stops when the button is released, when it
/// loses the mouse capture without a release (another window took it, a message box opened) and
/// when the button goes. False when the subclass could not be set.
bool SubclassAddButton(HWND button, double* level);

}  // namespace plantapp
