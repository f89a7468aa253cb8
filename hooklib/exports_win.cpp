// The library's process attach and detach, and its four function exports and one data export.
// Attach maps the shared block and finds the desktop list view; the list view is subclassed later,
// from the hook procedure, because the library may already be loaded when a hook fires.
#include <windows.h>

#include "hooklib/desktop_list_view_win.h"
#include "hooklib/library_win.h"
#include "hooklib/registration.h"

ostrel::OstrelSharedMem* Ostrel_SharedMem = nullptr;

extern "C" {
int Ostrel_Register(void);
int Ostrel_Unregister(void);
int Ostrel_Update(void);
int Ostrel_Rehook(void);
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
}

namespace ostrel {

LibraryState gState;

OstrelSharedMem& Block() { return *Ostrel_SharedMem; }

HWND CurrentListView() {
  // In the desktop's process the list view is the one subclassed here, whatever the block says.
  if (gState.subclassed != nullptr && IsWindow(gState.subclassed)) {
    return gState.subclassed;
  }
  return CheckedListView(Block());
}

HWND FindDesktopListView() {
  const HWND found = SearchDesktopListView();
  if (found != nullptr) {
    StoreShared(Block().listView, ToSlot(found));
  }
  return found;
}

int32_t InvalidateListView(const Rect32& rect) {
  // Without this check a missing list view would make InvalidateRect(NULL) repaint every window
  // on the desktop.
  const HWND view = CurrentListView();
  if (view == nullptr) {
    return 0;
  }
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  return InvalidateRect(view, &r, TRUE) ? 1 : 0;
}

LRESULT SendToClient(HWND window, OstrelCode code, LPARAM lParam, LRESULT failed, UINT timeoutMs) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, gState.message, static_cast<WPARAM>(code), lParam,
                           SMTO_ABORTIFHUNG | SMTO_NORMAL, timeoutMs, &answer)) {
    return failed;
  }
  return static_cast<LRESULT>(answer);
}

namespace {

bool MapBlock() {
  gState.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockSize,
                                      kSharedMemName);
  if (gState.mapping == nullptr) {
    return false;
  }
  const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
  void* view = MapViewOfFile(gState.mapping, FILE_MAP_WRITE, 0, 0, kBlockSize);
  if (view == nullptr) {
    CloseHandle(gState.mapping);
    gState.mapping = nullptr;
    return false;
  }
  Ostrel_SharedMem = static_cast<OstrelSharedMem*>(view);
  if (created) {
    ZeroMemory(view, kBlockSize);
  }
  // Every process registers the message itself (the same number system-wide), so a process that
  // maps the block while its creator is still between the clear and the store sees no 0.
  gState.message = RegisterWindowMessageA(kMessageName);
  StoreShared(Block().message, static_cast<uint32_t>(gState.message));
  return true;
}

void UnmapBlock() {
  if (Ostrel_SharedMem != nullptr) {
    UnmapViewOfFile(Ostrel_SharedMem);
    Ostrel_SharedMem = nullptr;
  }
  if (gState.mapping != nullptr) {
    CloseHandle(gState.mapping);
    gState.mapping = nullptr;
  }
}

bool Attach(HINSTANCE module) {
  gState.module = module;
  DisableThreadLibraryCalls(module);
  if (!MapBlock()) {
    return false;
  }
  const HWND view = FindDesktopListView();
  if (view == nullptr) {
    // No desktop to draw on: the library does not load, and a program that imports it does not
    // start.
    UnmapBlock();
    return false;
  }
  gState.listViewThread = GetWindowThreadProcessId(view, nullptr);
  return true;
}

}  // namespace
}  // namespace ostrel

using namespace ostrel;

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    return Attach(module) ? TRUE : FALSE;
  }
  if (reason == DLL_PROCESS_DETACH) {
    // The subclass is gone by now: the last client's unpin removed it before releasing the pin
    // that kept the library here.
    UnmapBlock();
  }
  return TRUE;
}

int Ostrel_Register(void) { return static_cast<int>(RegisterClient(Block(), WindowsClientPort())); }

int Ostrel_Unregister(void) { return UnregisterClient(Block(), WindowsClientPort()); }

int Ostrel_Update(void) { return InvalidateListView(Block().updateRect); }

int Ostrel_Rehook(void) {
  HWND view = FindDesktopListView();
  while (view == nullptr) {
    Sleep(100);
    view = FindDesktopListView();
  }
  gState.listViewThread = GetWindowThreadProcessId(view, nullptr);
  (void)InjectIntoDesktop(OstrelCode::PinLibrary);
  return Ostrel_Update();
}
