// The light indicator and the colour swatches.
#include "app/colour_patch_win.h"

#include <commctrl.h>

#include <cstdint>

#include "app/control_paint_win.h"
#include "app/dialog_control_paint.h"
#include "framework/ui/dialog_controls_win.h"

namespace plantapp {
namespace {

// The static paints first (its etched frame), then the patch fills the frame's inside.
LRESULT PaintPatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam, uint32_t colour) {
  const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
  FillClientRect(control, PatchRect(ClientRectOf(control)), colour);
  return result;
}

// The mark a focused swatch shows: a dotted rectangle one pixel inside its patch.
void DrawFocusMark(HWND swatch) {
  const ZrfRect patch = PatchRect(ClientRectOf(swatch));
  RECT mark = ToRect(ZrfRect{patch.left + 1, patch.top + 1, patch.right - 1, patch.bottom - 1});
  HDC dc = GetDC(swatch);
  if (dc == nullptr) return;
  DrawFocusRect(dc, &mark);
  ReleaseDC(swatch, dc);
}

bool IsChooseKey(WPARAM key) { return key == VK_SPACE || key == VK_RETURN; }

// Space and Enter on a focused swatch act as its click. The dialog would otherwise take Enter for
// its default button.
LRESULT SwatchKeys(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) {
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    const LRESULT code = DefSubclassProc(swatch, message, wParam, lParam);
    return key != nullptr && key->message == WM_KEYDOWN && IsChooseKey(key->wParam) ? code | DLGC_WANTMESSAGE
                                                                                     : code;
  }
  // The first press only, not the keyboard's repeats (bit 30: the key was already down).
  if (message == WM_KEYDOWN && IsChooseKey(wParam) && (lParam & (1 << 30)) == 0) {
    SendMessageA(GetParent(swatch), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(swatch), STN_CLICKED),
                 reinterpret_cast<LPARAM>(swatch));
    return 0;
  }
  return DefSubclassProc(swatch, message, wParam, lParam);
}

LRESULT CALLBACK LightIndicatorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR light) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, LightIndicatorProc, id);
  if (message != WM_PAINT) return DefSubclassProc(control, message, wParam, lParam);
  return PaintPatch(control, message, wParam, lParam, LightGrey(*reinterpret_cast<const double*>(light)));
}

LRESULT CALLBACK ColorSwatchProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR colour) {
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, ColorSwatchProc, id);
      return DefSubclassProc(control, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The focus first, as a button takes it on a click: the chooser the click opens then hands
      // the focus back to the swatch when it closes, not to whatever had it before.
      FocusDialogControl(control);
      return DefSubclassProc(control, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(control, nullptr, TRUE);
      return DefSubclassProc(control, message, wParam, lParam);
    case WM_PAINT: {
      const LRESULT result = PaintPatch(control, message, wParam, lParam,
                                        SwatchColour(*reinterpret_cast<const plant::StoredColour*>(colour)));
      if (GetFocus() == control) DrawFocusMark(control);
      return result;
    }
    default:
      return SwatchKeys(control, message, wParam, lParam);
  }
}

}  // namespace

bool SubclassLightIndicator(HWND indicator, const double* light) {
  return SetWindowSubclass(indicator, LightIndicatorProc, 0, reinterpret_cast<DWORD_PTR>(light)) != FALSE;
}

bool SubclassColourSwatch(HWND swatch, const plant::StoredColour* colour) {
  return SetWindowSubclass(swatch, ColorSwatchProc, 0, reinterpret_cast<DWORD_PTR>(colour)) != FALSE;
}

}  // namespace plantapp
