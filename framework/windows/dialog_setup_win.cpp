#include "framework/windows/dialog_setup_win.h"

#include <algorithm>
#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/style/font_lists.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/ui/dialog_font_rule.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

zrf::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool IsClass(HWND window, const char* name) {
  char className[32];
  if (GetClassNameA(window, className, sizeof className) == 0) return false;
  return std::strcmp(className, name) == 0;
}

// The plain check box's neighbour one pixel left of it, at its vertical middle.
bool QualifiesBesideNeighbour(HWND checkBox) {
  HWND parent = GetParent(checkBox);
  if (parent == nullptr) return false;
  RECT box;
  GetWindowRect(checkBox, &box);
  POINT point{box.left - 1, (box.top + box.bottom) / 2};
  ScreenToClient(parent, &point);
  HWND neighbour = ChildWindowFromPoint(parent, point);
  if (neighbour == nullptr || neighbour == parent || neighbour == checkBox) return false;
  RECT beside;
  GetWindowRect(neighbour, &beside);
  const auto style = static_cast<uint32_t>(GetWindowLongA(neighbour, GWL_STYLE));
  return zrf::CheckBoxQualifiesForDialogFont(ToRect(box), ToRect(beside), style);
}

int32_t DefaultButtonId(HWND dialog) {
  const LRESULT answer = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(answer) != DC_HASDEFID) return -1;
  return LOWORD(answer);
}

HFONT ApplyDialogFont(HWND dialog, int32_t dpi) {
  gApp.dialogFont = gApp.style.FontForDpi(kFontUIBold, std::max(dpi, 96));
  DialogFontTarget target{gApp.dialogFont, DefaultButtonId(dialog)};
  EnumChildWindows(dialog, DialogFontEnumProc, reinterpret_cast<LPARAM>(&target));
  return gApp.dialogFont;
}

}  // namespace

void ShowAndRaiseOwner(HWND owner) {
  if (owner == nullptr) return;
  if (CZrfWindow* window = gApp.FindWindowByHwnd(owner)) {
    window->Show(SW_SHOW, 0);
  } else {
    ShowWindow(owner, SW_SHOW);
  }
  SetForegroundWindow(owner);
}

void RequestDialogHelp(const char* topic) {
  if (gApp.windows.count == 0) return;
  const CZrfWindow* first = *gApp.windows.GetAt(0);
  if (first->window != nullptr)
    SendMessageA(first->window, zrf::WM_ZRF_HELP, reinterpret_cast<WPARAM>(topic), 0);
}

BOOL CALLBACK DialogFontEnumProc(HWND child, LPARAM parameter) {
  const auto* target = reinterpret_cast<const DialogFontTarget*>(parameter);
  if (!IsClass(child, "Button")) return TRUE;
  const auto style = static_cast<uint32_t>(GetWindowLongA(child, GWL_STYLE)) & BS_TYPEMASK;
  if (style == BS_CHECKBOX && QualifiesBesideNeighbour(child)) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(target->font), FALSE);
    if (GetPropA(child, kWidenedProperty) == nullptr) {
      RECT box;
      GetWindowRect(child, &box);
      SetWindowPos(child, nullptr, 0, 0, zrf::WidenedCheckBoxWidth(box.right - box.left),
                   box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      SetPropA(child, kWidenedProperty, reinterpret_cast<HANDLE>(1));
    }
  }
  if (GetDlgCtrlID(child) == target->defaultButtonId) {
    SetFocus(child);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(target->font), FALSE);
  } else if (style == BS_GROUPBOX) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(target->font), FALSE);
  }
  return TRUE;
}

HFONT CZrfApp::InitDialog(HWND dialog) {
  HFONT font = ApplyDialogFont(dialog, DpiForWindow(dialog));
  SetClassLongPtrA(
      dialog, GCLP_HICON,
      reinterpret_cast<LONG_PTR>(LoadIconA(FrameworkModule(), MAKEINTRESOURCEA(dialogIconId & 0xFFFF))));
  SetFocus(dialog);
  CenterWindowInParent(dialog, nullptr, nullptr);
  KeepTopmostWithParent(dialog);
  return font;
}

HFONT CZrfApp::UpdateDialogDpi(HWND dialog, int32_t dpi) { return ApplyDialogFont(dialog, dpi); }

INT_PTR CZrfApp::RunModalDialog(HWND owner, int32_t dialogId, DLGPROC procedure, LPARAM initParam) {
  ShowAndRaiseOwner(owner);
  ChangeModalDepth(true);
  const INT_PTR result =
      DialogBoxParamA(FrameworkModule(), MAKEINTRESOURCEA(dialogId), owner, procedure, initParam);
  ChangeModalDepth(false);
  return result;
}

void CZrfApp::ChangeModalDepth(bool up) {
  modalDepth = std::max(0, modalDepth + (up ? 1 : -1));
  for (int32_t i = 0; i < windows.count; ++i) {
    CZrfWindow* window = *windows.GetAt(i);
    if (window->window != nullptr) SendMessageA(window->window, zrf::WM_ZRF_MODALDEPTH, modalDepth, 0);
  }
}

HWND CZrfApp::OwnForegroundWindow() const {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  if (foreground == nullptr) return nullptr;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}
