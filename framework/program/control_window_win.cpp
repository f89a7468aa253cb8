// The control window's procedure: control messages of other instances, the taskbar's return,
// logoff, the hourly timer with the daily jobs, and display and DPI changes.
#include "framework/program/control_window_win.h"

#include "framework/app/control_window.h"
#include "framework/app/restart_mode.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/shell/process_elevation_win.h"
#include "framework/ui/display_change.h"
#include "framework/ui/monitor_table_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

DailyJobClock gDailyJobs;

void OnControlMessage(ControlAction action, WPARAM code) {
  switch (action) {
    case ControlAction::Activate:
      for (int32_t i = 0; i < gApp.windows.count; ++i) (*gApp.windows.GetAt(i))->SetGhost(false);
      gApp.SendToMainWindow(zrf::WM_ZRF_ACTIVATE, 0, 0);
      return;
    case ControlAction::Quit:
      gApp.SendToMainWindow(zrf::WM_ZRF_QUIT, 0, 0);
      return;
    case ControlAction::Restart:
      // Not RequestRestart: this instance was told by one that already notifies the others.
      gApp.RequestRestart(kRestartAsNow, nullptr, 0);
      return;
    case ControlAction::Forward:
      gApp.SendToMainWindow(static_cast<UINT>(code), 0, 0);
      return;
    case ControlAction::Ignore:
      return;
  }
}

void SendToEveryWindow(UINT message, WPARAM wParam) {
  for (int32_t i = gApp.windows.count - 1; i >= 0; --i) {
    SendMessageA((*gApp.windows.GetAt(i))->window, message, wParam, 0);
  }
}

void RescaleWindows(const MonitorTable& oldTable) {
  const MonitorTable& newTable = gMonitorTables[kCurrentMonitors];
  for (int32_t i = gApp.windows.count - 1; i >= 0; --i) {
    CZrfWindow& window = **gApp.windows.GetAt(i);
    if ((window.flags & (zrf::kWindowKeepOnResolutionChange | zrf::kWindowStaysPut)) != 0) continue;
    const RECT& last = window.lastRect;
    const ZrfRect moved =
        RescaleForDisplayChange(oldTable, newTable, {last.left, last.top, last.right, last.bottom});
    window.Move(moved.left, moved.top, moved.Width(), moved.Height(), false);
  }
}

void OnDisplayChange(UINT message, WPARAM wParam, LPARAM lParam) {
  const MonitorTable oldTable = gMonitorTables[kCurrentMonitors];
  BuildMonitorTable();
  const DisplayChange change = CompareMonitorTables(oldTable, gMonitorTables[kCurrentMonitors]);
  if (change.geometryChanged) {
    gMonitorTables[kPreviousMonitors] = oldTable;
    RescaleWindows(oldTable);
    SendToEveryWindow(zrf::WM_ZRF_DISPLAYCHANGED,
                      message == WM_DISPLAYCHANGE ? static_cast<WPARAM>(lParam) : 0);
    return;
  }
  if (change.newDpi == 0) return;
  MonitorTable& previous = gMonitorTables[kPreviousMonitors];
  for (int32_t i = 0; i < kMaxMonitors; ++i) previous.entries[i].dpi = oldTable.entries[i].dpi;
  SendToEveryWindow(zrf::WM_ZRF_DPICHANGED,
                    message == WM_DPICHANGED ? LOWORD(wParam) : static_cast<WPARAM>(change.newDpi));
}

}  // namespace

void RunDailyJobs() {
  if (gApp.checkForUpdateIfDue != nullptr) gApp.checkForUpdateIfDue();
  if (gApp.archiveConfigIfDue != nullptr) gApp.archiveConfigIfDue();
}

LRESULT CALLBACK PhantomWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gApp.controlMessage != 0 && message == gApp.controlMessage) {
    const ControlAction action =
        ControlActionFor(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam), gApp.productCrc);
    if (action == ControlAction::Ignore) return DefWindowProcA(window, message, wParam, lParam);
    OnControlMessage(action, wParam);
    return 0;
  }
  if (gApp.taskbarMessage != 0 && message == gApp.taskbarMessage) {
    gApp.SendToMainWindow(zrf::WM_ZRF_TASKBARCREATED, 0, 0);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      SetTimer(window, kHourlyTimerId, kHourlyTimerPeriod, nullptr);
      break;
    case WM_DESTROY:
      KillTimer(window, kHourlyTimerId);
      break;
    case WM_ENDSESSION:
      // Also when the shutdown was cancelled: saving twice costs nothing.
      gApp.SaveState();
      break;
    case WM_TIMER:
      if (wParam == kHourlyTimerId && gDailyJobs.Tick()) RunDailyJobs();
      break;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      OnDisplayChange(message, wParam, lParam);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateControlWindow(HINSTANCE instance, const char* title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PhantomWndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.lpszClassName = kControlWindowClass;
  if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  return CreateWindowExA(WS_EX_TOOLWINDOW, kControlWindowClass, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr);
}
