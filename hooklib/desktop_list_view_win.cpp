// The search for the desktop's icon list view, in the layouts the shell uses: below "Progman", or
// in the "WorkerW" window that holds "SHELLDLL_DefView" when the wallpaper runs in its own window;
// and the check that a window is such a list view.
#include "hooklib/desktop_list_view_win.h"

#include <atomic>

namespace ostrel {
namespace {

bool HasClass(HWND window, const char* name) {
  char found[32] = {};
  return window != nullptr && GetClassNameA(window, found, sizeof found) > 0 &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, found, -1, name, -1) == CSTR_EQUAL;
}

BOOL CALLBACK EnumProgmanChildProc(HWND window, LPARAM context) {
  if (HasClass(window, "SysListView32")) {
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

// The last list view this process checked and found to be the desktop's. One slot for the whole
// process: a plant asks from its UI thread and its worker.
std::atomic<uint32_t> gChecked{0};

HWND FromSlot(uint32_t slot) { return reinterpret_cast<HWND>(UnpackHandle(slot)); }

}  // namespace

bool IsDesktopListView(HWND window) {
  if (!IsWindow(window) || !HasClass(window, "SysListView32")) {
    return false;
  }
  const HWND defView = GetParent(window);
  if (!HasClass(defView, "SHELLDLL_DefView")) {
    return false;
  }
  const HWND top = GetAncestor(defView, GA_PARENT);
  return top != nullptr && GetAncestor(top, GA_PARENT) == GetDesktopWindow() &&
         (HasClass(top, "Progman") || HasClass(top, "WorkerW"));
}

HWND SearchDesktopListView() {
  HWND found = nullptr;
  // EnumChildWindows with no parent would walk every top-level window and could take any
  // program's list view for the desktop's.
  if (const HWND progman = FindWindowExA(nullptr, nullptr, "Progman", nullptr)) {
    EnumChildWindows(progman, EnumProgmanChildProc, reinterpret_cast<LPARAM>(&found));
  }
  if (found != nullptr && IsDesktopListView(found)) {
    return found;
  }
  found = nullptr;
  EnumWindows(EnumWorkerWProc, reinterpret_cast<LPARAM>(&found));
  return found != nullptr && IsDesktopListView(found) ? found : nullptr;
}

HWND CheckedListView(const OstrelSharedMem& block) {
  const uint32_t named = LoadShared(block.listView);
  const uint32_t checked = gChecked.load();
  if (named != 0 && named == checked && IsWindow(FromSlot(named))) {
    return FromSlot(named);
  }
  if (named != 0 && IsDesktopListView(FromSlot(named))) {
    gChecked.store(named);
    return FromSlot(named);
  }
  // A block that names another window says nothing about the list view found before.
  if (checked != 0 && IsWindow(FromSlot(checked))) {
    return FromSlot(checked);
  }
  const HWND found = SearchDesktopListView();
  gChecked.store(found != nullptr ? PackHandle(reinterpret_cast<uintptr_t>(found)) : 0);
  return found;
}

}  // namespace ostrel
