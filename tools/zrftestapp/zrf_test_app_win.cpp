// The framework test program: a program that starts through CZrfApp::Init, opens one framework
// window and runs the message loop, and tells what reached it in an event log. See
// test_app_protocol.h for its switches, messages and log lines.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/message_box_layout.h"
#include "framework/ui/monitor_table_win.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/zrf_window_win.h"
#include "maintenance/about_dialog_win.h"
#include "maintenance/daily_jobs_win.h"
#include "tools/zrftestapp/test_app_protocol.h"

namespace {

constexpr uint16_t kProductStringId = 1;
constexpr int32_t kSettingsVersion = 1;

StringRecord gStrings[] = {
    {kProductStringId, {zrftest::kProductName}},
    {kStringTableEnd, {}},
};

char gEventsFile[MAX_PATH] = "";
int32_t gFakeWidth = 0;
int32_t gFakeHeight = 0;

void Log(const char* format, ...) {
  if (gEventsFile[0] == '\0') return;
  char line[2048];
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(line, sizeof line - 1, format, arguments);
  va_end(arguments);
  if (length < 0) return;
  const DWORD size = static_cast<DWORD>(length < int(sizeof line) - 1 ? length : int(sizeof line) - 2);
  line[size] = '\n';
  // One write per line, appended: several instances share the log.
  HANDLE file = CreateFileA(gEventsFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, size + 1, &written, nullptr);
  CloseHandle(file);
}

void FakeScreen(MonitorTable* table) {
  table->count = 1;
  table->entries[0].monitor = {0, 0, gFakeWidth, gFakeHeight};
  table->entries[0].work = table->entries[0].monitor;
  table->entries[0].dpi = 96;
  table->entries[0].flags = kMonitorPrimary;
  table->virtualWidth = gFakeWidth;
  table->virtualHeight = gFakeHeight;
  table->virtualRect = table->entries[0].monitor;
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const unsigned long pid = GetCurrentProcessId();
  switch (message) {
    case zrf::WM_ZRF_QUIT:
      PostQuitMessage(0);
      return 0;
    case zrf::WM_ZRF_ACTIVATE:
      Log("activate %lu", pid);
      return 0;
    case zrf::WM_ZRF_DISPLAYCHANGED:
      Log("displaychanged %lu", pid);
      return 0;
    case WM_CLOSE:
      Log("close %lu", pid);
      PostQuitMessage(0);
      return 0;
    case zrftest::kRequestRestart:
      gApp.RequestRestart(static_cast<int32_t>(wParam), nullptr, static_cast<uint8_t>(lParam));
      return 0;
    case zrftest::kShowAbout:
      ShowAboutDialog(window);
      return 0;
    case zrftest::kShowMessage:
      (void)gApp.MessageDialog(window, nullptr, "%s", zrf::kInformationMessageStyle, 0, zrftest::kMessageText);
      return 0;
    case zrftest::kFakeScreen:
      gFakeWidth = static_cast<int32_t>(wParam);
      gFakeHeight = static_cast<int32_t>(lParam);
      SetMonitorTableSourceForTesting(FakeScreen);
      return 0;
    default:
      break;
  }
  if (message >= zrftest::kFirstLoggedMessage && message < zrf::kPrivateMessageEnd) {
    Log("message %lu %X", pid, message);
    return 0;
  }
  return CallWindowProcA(gApp.previousWindowProc, window, message, wParam, lParam);
}

// The argument of -EVENTS, read before the start-up so its failures can be logged too.
void ReadEventsFile(const CSwitchList& switches) {
  const int32_t position = FindSwitch(switches, zrftest::kEventsSwitch);
  if (position >= 0 && switches.ArgumentCount(position) > 0) {
    std::snprintf(gEventsFile, sizeof gEventsFile, "%s", switches.Argument(position, 0));
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  CSwitchList switches;
  SwitchFlags flags;
  (void)ParseCommandLine(commandLine, switches, flags);
  ReadEventsFile(switches);
  const bool single = FindSwitch(switches, zrftest::kSingleSwitch) >= 0;
  if (FindSwitch(switches, zrftest::kNoIconsSwitch) >= 0)
    gApp.style.module = GetModuleHandleA("kernel32.dll");

  gApp.SetFilePatterns("*.txt", "");
  UseMaintenanceDailyJobs();
  const int32_t started = gApp.Init(instance, kProductStringId, gStrings, single ? 0 : 1, kSettingsVersion,
                                    commandLine, showCommand);
  const unsigned long pid = GetCurrentProcessId();
  if (started != 0) return started;
  Log("start %lu %s", pid, gApp.commandLine);
  // The DPI queries use the newer functions only once the start-up has looked them up.
  Log("dpi functions %lu %d", pid, gDpiFunctions.getDpiForWindow != nullptr ? 1 : 0);

  constexpr uint32_t kFlags = zrf::kWindowMain | zrf::kWindowSizable | zrf::kWindowTaskbarButton;
  const int32_t position =
      gApp.CreateZrfWindow(0, TestWindowProc, zrftest::kWindowTitle, 1, kFlags, zrftest::kWindowX,
                           zrftest::kWindowY, zrftest::kWindowWidth, zrftest::kWindowHeight);
  if (position < 0) return 1;
  (*gApp.windows.GetAt(position))->Show(SW_SHOWNORMAL, 0);
  const int32_t exitCode = gApp.Run();
  Log("end %lu %d", pid, exitCode);
  return exitCode;
}
