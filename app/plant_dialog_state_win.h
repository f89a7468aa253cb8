// Internal to the plant dialog and its pages; other callers must not include this header.
// The state of the one plant dialog of the process, shared by the dialog and its pages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "app/dialog_pages.h"
#include "app/dialog_values.h"
#include "app/plant_dialog_win.h"

namespace plantapp {

struct PlantDialogState {
  PlantDialogHost* host = nullptr;
  HWND dialog = nullptr;
  HWND tabs = nullptr;
  HWND pages[kPageCount] = {};
  HWND tooltip = nullptr;
  HIMAGELIST tabImages = nullptr;
  /// The tab control's display area in its client coordinates, where the pages stand.
  RECT pageRect{};
  /// The page shown; kept from one opening to the next.
  int32_t currentPage = kCarePage;
  DialogValues values;
};

/// The process's plant dialog state.
[[nodiscard]] PlantDialogState& DialogState();

/// A page's set-up at WM_INITDIALOG: the framework's dialog set-up, then onto the tab control's
/// display area. Returns the dialog font (owned by the UI style).
HFONT SetUpPage(HWND page);

/// A page's step at WM_ZRF_DPICHANGED (wParam as the dialog got it with WM_DPICHANGED): the dialog
/// font for the new DPI, then onto the display area again. Returns the dialog font.
HFONT FollowPageDpi(HWND page, WPARAM wParam);

/// The plant's large (or small) icon, or the program's icon when the plant file brought none.
/// The program's icon is shared and must not be destroyed.
[[nodiscard]] HICON PlantIcon(PlantDialogHost& host, bool large);

/// Shows the plant's large icon in the icon static id of dialog.
void ShowPlantIcon(HWND dialog, int id, PlantDialogHost& host);

}  // namespace plantapp
