// Entering the desktop process: a WH_CALLWNDPROC hook on the list view's thread makes the system
// map the library there, and the hook procedure installs the list-view subclass on that thread.
//
// The subclass is installed from the hook procedure, not from the attach: the library may already
// be loaded in the desktop process (Wine never unloads a module its hooks loaded, and Windows may
// keep it for a while after the hook is gone), and then no attach runs. The library holds one pin
// on itself while the subclass is in place; the last client's unpin removes the subclass and then
// releases the pin, so the library leaves the desktop with its last client.
#include <windows.h>

#include <commctrl.h>

#include "hooklib/desktop_list_view_win.h"
#include "hooklib/library_win.h"
#include "hooklib/time_budget.h"

namespace ostrel {
namespace {

// Between two tries of the pin or unpin request; the whole wait is kInjectBudgetMs.
constexpr DWORD kInjectPause = 10;

}  // namespace

void InstallSubclass(HWND listView) {
  // Judged by the procedure, not by the handle: a list view destroyed and made again in the same
  // desktop process may come back under a handle that was ours. The procedure is compared as
  // installed and as read back, in case the system hands out a stand-in for it.
  const LONG_PTR current = GetWindowLongPtrA(listView, GWLP_WNDPROC);
  if (current == reinterpret_cast<LONG_PTR>(&DesktopListViewProc) ||
      (gState.subclassed != nullptr && current == gState.installedProc)) {
    return;
  }
  if (GetWindowThreadProcessId(listView, nullptr) != GetCurrentThreadId()) {
    return;
  }
  // The old procedure is kept once per process: a second window's would replace the one the
  // subclassed list view still passes its messages on to.
  if (gState.subclassed != nullptr && gState.subclassed != listView && IsWindow(gState.subclassed)) {
    return;
  }
  // The regions of a list view that was destroyed under the subclass.
  if (gState.paintRgn != nullptr) DeleteObject(gState.paintRgn);
  if (gState.eraseRgn != nullptr) DeleteObject(gState.eraseRgn);
  gState.paintRgn = CreateRectRgn(0, 0, 0, 0);
  gState.eraseRgn = CreateRectRgn(0, 0, 0, 0);
  gState.oldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      listView, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DesktopListViewProc)));
  gState.installedProc = GetWindowLongPtrA(listView, GWLP_WNDPROC);
  gState.subclassed = listView;
  gState.drag = DragState{};
  StoreShared(Block().listView, ToSlot(listView));
  // A desktop started again while a plant's dialog stayed open shows that plant's frame again.
  NoteActivation(ToHwnd(LoadShared(Block().activeClient)));
  // Without double-buffering the list view erases its background through WM_ERASEBKGND, which is
  // where the plants are painted.
  const DWORD style = static_cast<DWORD>(SendMessageA(listView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  gState.savedDoubleBuffer = style & LVS_EX_DOUBLEBUFFER;
  SendMessageA(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, 0);
}

void RemoveSubclass(bool releasePin) {
  const HWND view = gState.subclassed;
  if (view == nullptr) {
    return;
  }
  // Nothing of the library may run after it has gone: a reorder still waiting for `busy` ends
  // here.
  CancelPendingReorder();
  if (IsWindow(view)) {
    SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gState.oldProc));
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, gState.savedDoubleBuffer);
    UpdateWindow(view);
  }
  gState.subclassed = nullptr;
  gState.active = nullptr;
  DeleteObject(gState.paintRgn);
  DeleteObject(gState.eraseRgn);
  gState.paintRgn = nullptr;
  gState.eraseRgn = nullptr;
  if (releasePin && gState.pin != nullptr) {
    // Safe inside the subclass: the unpin arrives while the sender's hook still holds the library
    // in this process, so this release cannot unload the code that runs it.
    const HMODULE pin = gState.pin;
    gState.pin = nullptr;
    FreeLibrary(pin);
  }
}

LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && Ostrel_SharedMem != nullptr) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    // Only the pin request installs the subclass; any other message seen while a hook is set (the
    // last unpin's own repaint among them) must not put back what the unpin just removed. And only
    // on the list view this process finds itself: the block may name any window, of this thread
    // or of another program that loaded the library.
    if (call->message == gState.message && call->wParam == static_cast<WPARAM>(OstrelCode::PinLibrary) &&
        call->hwnd == SearchDesktopListView()) {
      InstallSubclass(call->hwnd);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool InjectIntoDesktop(OstrelCode code) {
  const bool pin = code == OstrelCode::PinLibrary;
  // The hook goes only to the thread of a window that is the desktop's list view: a process that
  // loaded the library before the desktop restarted still holds the old one, and the block may
  // name any window.
  const HWND view = CurrentListView();
  if (view == nullptr) {
    return false;
  }
  const DWORD thread = GetWindowThreadProcessId(view, nullptr);
  gState.listViewThread = thread;
  const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHookProc, gState.module, thread);
  if (hook == nullptr) {
    return false;
  }
  const RECT corner{0, 0, 1, 1};
  InvalidateRect(view, &corner, FALSE);
  // Bounded by elapsed time, not by rounds: each round may itself wait for a busy desktop, and the
  // caller holds `busy` all along.
  bool answered = false;
  const ULONGLONG start = GetTickCount64();
  for (ULONGLONG spent = 0; spent < kInjectBudgetMs && IsWindow(view);
       spent = GetTickCount64() - start) {
    DWORD_PTR answer = 0;
    const bool delivered = SendMessageTimeoutA(view, gState.message, static_cast<WPARAM>(code), 0,
                                               SMTO_ABORTIFHUNG | SMTO_NORMAL,
                                               static_cast<UINT>(kInjectBudgetMs - spent), &answer) != 0;
    answered = delivered && static_cast<LRESULT>(answer) == kSubclassAnswer;
    // Only a pin puts the subclass in place, so for an unpin the first answer is final: a list
    // view without the subclass (a desktop started again and not entered yet) has nothing to
    // release, and asking it again would only hold the claim for the whole budget.
    if (answered || (delivered && !pin)) {
      break;
    }
    Sleep(kInjectPause);
  }
  UnhookWindowsHookEx(hook);
  return answered;
}

}  // namespace ostrel
