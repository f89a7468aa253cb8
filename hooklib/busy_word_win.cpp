// Whether the holders of the `busy` word still exist, asked of Windows.
#include "hooklib/busy_word_win.h"

#include <windows.h>

namespace ostrel {

uint32_t SystemHolderWatch::OwnProcessId() { return GetCurrentProcessId(); }

bool SystemHolderWatch::HasProcessEnded(uint32_t processId) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) {
    // Only "no such process" is an answer; a process of another user or integrity level that
    // denies us still runs.
    return GetLastError() == ERROR_INVALID_PARAMETER;
  }
  const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

bool SystemHolderWatch::IsPainterGone() {
  const uint32_t view = LoadShared(block_.paintingView);
  return view != 0 && IsWindow(reinterpret_cast<HWND>(UnpackHandle(view))) == FALSE;
}

}  // namespace ostrel
