// Ending the program: destroying the framework's windows and bars, saving the state, and the
// shutdown that gApp's destructor runs at exit with the restart it was asked for.
#include "framework/program/app_shutdown_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstring>

#include "framework/app/restart_mode.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"

void CZrfApp::SaveState() {
  if (noSave != 0) return;
  for (int32_t i = 0; i < bars.count; ++i) (void)(*bars.GetAt(i))->SaveState();
  for (int32_t i = 0; i < windows.count; ++i) (*windows.GetAt(i))->SavePlacement();
  (void)SaveSettings();  // a failed write at exit or logoff has nobody left to tell
}

void CZrfApp::DestroyAllWindows() {
  // The bars go first, last first, each with the command that shows it in the window menu: they
  // live in their windows' bays.
  while (bars.count > 0) {
    CBar* bar = *bars.GetAt(bars.count - 1);
    (void)commands.Remove(bar->barId);
    delete bar;
    bars.count -= 1;
  }
  // The framework windows go before the control window that owns them, each with its object.
  while (windows.count > 0) {
    const uint16_t index = (*windows.GetAt(windows.count - 1))->index;
    int32_t position = 0;
    while ((*windows.GetAt(position))->index != index) ++position;
    delete *windows.GetAt(position);
    (void)std::memmove(windows.GetAt(position), windows.GetAt(position + 1),
                       sizeof(CZrfWindow*) * static_cast<size_t>(windows.count - position - 1));
    windows.count -= 1;
  }
  if (tooltipWindow != nullptr) DestroyWindow(tooltipWindow);
  tooltipWindow = nullptr;
  if (applicationIcon != nullptr) DestroyIcon(applicationIcon);
  applicationIcon = nullptr;
  SaveState();
  // Last: while it exists another instance takes this one as running and leaves a pending
  // configuration archive alone, so the settings written just above cannot land over it.
  if (controlWindow != nullptr) DestroyWindow(controlWindow);
  controlWindow = nullptr;
}

void ShutDownApplication() {
  gApp.DestroyAllWindows();
  if (gApp.notifySiblings != 0) {
    PostMessageA(HWND_BROADCAST, gApp.controlMessage, zrf::WM_ZRF_RESTART, gApp.productCrc);
  }
  if (gApp.restartMode == kRestartNone) return;
  char program[MAX_PATH] = "";
  if (GetModuleFileNameA(nullptr, program, MAX_PATH) == 0) return;
  const char* verb = RestartsWithElevation(gApp.restartMode, gApp.osCode) ? "runas" : nullptr;
  // A refused restart (the user declined elevation) simply ends the process.
  ShellExecuteA(nullptr, verb, program, gApp.restartCommandLine, nullptr, SW_SHOWNORMAL);
}
