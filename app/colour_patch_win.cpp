// The light indicator and the colour swatches.
#include "app/colour_patch_win.h"

#include <commctrl.h>

#include <cstdint>

#include "app/control_paint_win.h"
#include "app/dialog_control_paint.h"

namespace plantapp {
namespace {

// The static paints first (its frame shows at the left and top), then the patch covers the rest.
LRESULT PaintPatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam, uint32_t colour) {
  const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
  FillClientRect(control, PatchRect(ClientRectOf(control)), colour);
  return result;
}

LRESULT CALLBACK LightIndicatorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR light) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, LightIndicatorProc, id);
  if (message != WM_PAINT) return DefSubclassProc(control, message, wParam, lParam);
  return PaintPatch(control, message, wParam, lParam, LightGrey(*reinterpret_cast<const double*>(light)));
}

LRESULT CALLBACK ColorSwatchProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR colour) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, ColorSwatchProc, id);
  if (message != WM_PAINT) return DefSubclassProc(control, message, wParam, lParam);
  return PaintPatch(control, message, wParam, lParam,
                    SwatchColour(*reinterpret_cast<const plant::StoredColour*>(colour)));
}

}  // namespace

bool SubclassLightIndicator(HWND indicator, const double* light) {
  return SetWindowSubclass(indicator, LightIndicatorProc, 0, reinterpret_cast<DWORD_PTR>(light)) != FALSE;
}

bool SubclassColourSwatch(HWND swatch, const plant::StoredColour* colour) {
  return SetWindowSubclass(swatch, ColorSwatchProc, 0, reinterpret_cast<DWORD_PTR>(colour)) != FALSE;
}

}  // namespace plantapp
