// Internal to the hook library; programs that link the library must not include this header.
// The per-process state of the library and the functions its Win32 files share.
#pragma once

#include <windows.h>

#include "hooklib/frame_geometry.h"
#include "hooklib/shared_block.h"

/// The data export: the mapped block (exports_win.cpp).
extern "C" ostrel::OstrelSharedMem* Ostrel_SharedMem;

namespace ostrel {

/// Drag state of the list-view subclass; lives only in the desktop process, on its list-view thread.
struct DragState {
  int32_t zone = kZoneNone;  // kZoneNone: no drag runs
  HWND client = nullptr;     // the window DragStart went to; DragEnd and FrameChanged go there too
  DragStart start{};
  Rect32 rect{};
};

/// Everything one process keeps besides the shared block.
struct LibraryState {
  HMODULE module = nullptr;
  HANDLE mapping = nullptr;
  UINT message = 0;
  DWORD listViewThread = 0;
  // Desktop process only, touched only on the list view's thread:
  HWND subclassed = nullptr;        // the list view whose procedure is DesktopListViewProc
  WNDPROC oldProc = nullptr;        // its own procedure
  LONG_PTR installedProc = 0;       // GWLP_WNDPROC read back after the subclass was installed
  DWORD savedDoubleBuffer = 0;      // its LVS_EX_DOUBLEBUFFER bit before the subclass
  HMODULE pin = nullptr;            // our own reference that keeps the library loaded
  HWND active = nullptr;            // the plant whose frame is shown and dragged (NoteActivation)
  HRGN paintRgn = nullptr;          // update regions collected since the last broadcast
  HRGN eraseRgn = nullptr;
  DragState drag;
  int procDepth = 0;                // DesktopListViewProc frames on the list view's thread's stack
};

extern LibraryState gState;

/// The mapped block; valid from attach to detach.
OstrelSharedMem& Block();

/// A window handle from a block slot.
inline HWND ToHwnd(uint32_t slot) { return reinterpret_cast<HWND>(UnpackHandle(slot)); }

/// A block slot from a window handle.
inline uint32_t ToSlot(HWND window) { return PackHandle(reinterpret_cast<uintptr_t>(window)); }

/// The desktop list view: in the desktop's process the subclassed one, elsewhere the block's when
/// it is the desktop's (CheckedListView), else one searched afresh; null when there is none.
HWND CurrentListView();

/// SearchDesktopListView, storing a found view in `listView`; a stored view is never overwritten
/// with 0. Returns the view found, or 0.
HWND FindDesktopListView();

/// Makes the desktop process map the library with a hook on the thread of the desktop list view
/// (CurrentListView) and sends it `code` until the subclass answers; an unpin takes the list
/// view's first answer. False when there is no hook, no list view, or no subclass answer (within a
/// few seconds for a pin).
bool InjectIntoDesktop(OstrelCode code);

/// Installs the list-view subclass on the calling thread when it is the list view's, the
/// subclass is not in place yet and no other list view of this process still has it: keeps the
/// old procedure, clears double-buffering, makes the regions, and writes the view into the block.
void InstallSubclass(HWND listView);

/// Puts the list view's own procedure and double-buffer bit back and frees the regions, and the
/// pin when `releasePin`: an unpin that arrives while a frame of the subclass procedure is still
/// on the stack keeps the library loaded, or that frame would return into unloaded code.
void RemoveSubclass(bool releasePin);

/// Forgets a double-click reorder that waits for `busy`, and kills its timer.
void CancelPendingReorder();

/// The plant whose frame the desktop shows and drags, while its window exists; null for none.
/// The block's `activeClient` is only a copy that anybody may overwrite. Desktop process.
HWND ActiveClient();

/// Takes note that the activation of `client` changed (it was activated, or its dialog closed):
/// it becomes the active plant when it is registered and the block's `activeClient` names it, and
/// stops being it otherwise. Desktop process, list view's thread.
void NoteActivation(HWND client);

class ClientPort;

/// The registration decisions' Win32 port (client_port_win.cpp); one per process.
ClientPort& WindowsClientPort();

/// The subclass procedure (list_view_subclass_win.cpp).
LRESULT CALLBACK DesktopListViewProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

/// The hook procedure that brings the library into the desktop process.
LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam);

/// InvalidateRect on the list view with erase; 0 when there is no list view.
int32_t InvalidateListView(const Rect32& rect);

/// Sends a sub-code to a plant window, giving up on a hung or dead window after `timeoutMs`.
/// Returns the answer, or `failed` when the send did not complete.
LRESULT SendToClient(HWND window, OstrelCode code, LPARAM lParam, LRESULT failed,
                     UINT timeoutMs = 5000);

}  // namespace ostrel
