// The plant window: the one framework window of a plant process, never seen. It stands for the plant
// towards the desktop-draw library (paint, hit test, frame moves and resizes, limits, identify, the
// dialog's opening and closing) and carries the clock, display changes, the Options page's move and
// resize requests and the framework's save, help, shell-restart, end-of-session and quit messages.
// It works on CurrentPlantProcess(); all of it runs on the UI thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "hooklib/shared_block.h"

namespace plantapp {

/// wParam of PlantRefresh (kPlantRefreshMessage) that carries an Options-page move or resize
/// request in lParam (frame_arithmetic.h's request bits); any other wParam asks for a redraw.
inline constexpr WPARAM kOptionsPageRequest = 4;

/// Makes `frame` the library's active frame and has the plant window adopt it at once, as after a
/// drag: the worker is held meanwhile, so no picture rendered for the old frame is handed over
/// between the two and puts the old frame back. Nothing without a current plant process.
void MovePlantFrame(HWND window, const ostrel::Rect32& frame);

/// The plant window's procedure.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plantapp
