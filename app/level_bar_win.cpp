// The water and fertiliser bars.
#include "app/level_bar_win.h"

#include <commctrl.h>

#include "app/control_paint_win.h"
#include "app/dialog_control_paint.h"

namespace plantapp {
namespace {

// uIdSubclass carries the bar's colour, dwRefData the level it shows.
LRESULT CALLBACK LevelBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR colour,
                              DWORD_PTR level) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(bar, LevelBarProc, colour);
  if (message != WM_PAINT) return DefSubclassProc(bar, message, wParam, lParam);
  const LevelBarParts parts = LevelBarPartsFor(ClientRectOf(bar), *reinterpret_cast<const double*>(level));
  // The static would paint its background over the bar and make it flicker: it paints only the rest.
  const RECT kept = ToRect(parts.kept);
  ValidateRect(bar, &kept);
  const LRESULT result = DefSubclassProc(bar, message, wParam, lParam);
  FillClientRect(bar, parts.fill, static_cast<uint32_t>(colour));
  return result;
}

}  // namespace

bool SubclassLevelBar(HWND bar, const double* level, uint32_t colour) {
  return SetWindowSubclass(bar, LevelBarProc, colour, reinterpret_cast<DWORD_PTR>(level)) != FALSE;
}

}  // namespace plantapp
