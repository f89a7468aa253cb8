// The dispatching wait.
#include "app/message_pump_wait_win.h"

#include <windows.h>

namespace plantapp {
namespace {

// Dispatches what is queued; false when WM_QUIT came (it is posted again).
bool DispatchQueued() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

}  // namespace

void WaitDispatchingMessages(uint32_t ms, void*) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    const bool quitting = !DispatchQueued();
    const ULONGLONG now = GetTickCount64();
    if (now >= end) {
      return;
    }
    if (quitting) {
      // Waiting for messages would find the re-posted WM_QUIT at once, every time.
      Sleep(static_cast<DWORD>(end - now));
      return;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

}  // namespace plantapp
