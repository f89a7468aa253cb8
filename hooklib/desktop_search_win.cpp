// The search for the desktop's icon list view, in the layouts the shell uses: below "Progman", or
// in the "WorkerW" window that holds "SHELLDLL_DefView" when the wallpaper runs in its own window.
#include <windows.h>

#include "hooklib/library_win.h"

namespace ostrel {
namespace {

BOOL CALLBACK EnumProgmanChildProc(HWND window, LPARAM context) {
  char name[14] = {};
  GetClassNameA(window, name, sizeof name);
  if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, -1, "SysListView32", -1) ==
      CSTR_EQUAL) {
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK EnumWorkerWProc(HWND window, LPARAM context) {
  char name[8] = {};
  GetClassNameA(window, name, sizeof name);
  if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 7, "WorkerW", 7) != CSTR_EQUAL) {
    return TRUE;
  }
  const HWND defView = FindWindowExA(window, nullptr, "SHELLDLL_DefView", nullptr);
  const HWND view =
      defView == nullptr ? nullptr : FindWindowExA(defView, nullptr, "SysListView32", "FolderView");
  *reinterpret_cast<HWND*>(context) = view;
  return view == nullptr ? TRUE : FALSE;
}

}  // namespace

HWND FindDesktopListView() {
  HWND found = nullptr;
  // EnumChildWindows with no parent would walk every top-level window and could take any
  // program's list view for the desktop's.
  if (const HWND progman = FindWindowExA(nullptr, nullptr, "Progman", nullptr)) {
    EnumChildWindows(progman, EnumProgmanChildProc, reinterpret_cast<LPARAM>(&found));
  }
  if (found == nullptr) {
    EnumWindows(EnumWorkerWProc, reinterpret_cast<LPARAM>(&found));
  }
  if (found != nullptr) {
    StoreShared(Block().listView, ToSlot(found));
  }
  return found;
}

}  // namespace ostrel
