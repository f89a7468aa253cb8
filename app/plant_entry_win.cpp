// The plant program's entry: one process grows one plant, the one its -LOADPLANT switch names. The
// start goes in a fixed order: the framework; the plant's private copy in the data folder and its
// record; the way to the desktop-draw library (on 64-bit Windows through the companion); the
// options; the plant window; the backlog of steps; registration on the desktop; the welcome; the
// last snapshot under the drawing banner; the worker and the clock. Then the message loop, and the
// orderly shutdown that saves everything.
//
// Once the plant is registered on the desktop, every way out unregisters it first: a window left in
// the library's list would answer every later start of any plant as the same plant.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "app/companion_route_win.h"
#include "app/hook_direct_win.h"
#include "app/message_pump_wait_win.h"
#include "app/plant_dialog_host_win.h"
#include "app/plant_dialog_win.h"
#include "app/plant_process_win.h"
#include "app/plant_shutdown_win.h"
#include "app/plant_window_win.h"
#include "app/program_messages_win.h"
#include "app/program_strings.h"
#include "app/simulation_clock.h"
#include "app/wallpaper_value_win.h"
#include "app/welcome_dialog_win.h"
#include "framework/app/notice_gate.h"
#include "framework/app/zrf_app_win.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/message_box_layout.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/zrf_window_win.h"
#include "maintenance/about_dialog_win.h"
#include "maintenance/daily_jobs_win.h"
#include "plant/drawing_banner_win.h"
#include "plant/file_ops.h"
#include "plant/plant_file.h"
#include "plant/snapshot_win.h"

namespace plantapp {
namespace {

constexpr char kPlantExtension[] = ".plt";
constexpr char kSnapshotExtension[] = ".pim";
constexpr int32_t kSettingsVersion = 3;
constexpr uint8_t kSeveralInstances = 1;
/// The main window, and one that stays where it is when the display changes (the plant follows
/// the screen by itself).
constexpr uint32_t kPlantWindowFlags = zrf::kWindowStaysPut | zrf::kWindowMain;
constexpr uint16_t kProgramIcon = 1;
/// The framework's text for a failed initialisation, shown with its code.
constexpr uint16_t kFrameworkInitErrorText = 0xF003;
constexpr int32_t kNoPlantWindow = 1;
/// Message 30's code when the worker's event cannot be made.
constexpr int32_t kNoWorkerEvent = 9;
constexpr char kCompanionProgram[] = "Verdelo64.exe";

// Makes CurrentPlantProcess() this function's plant for as long as it runs.
class ProcessScope {
 public:
  explicit ProcessScope(PlantProcess* process) { SetCurrentPlantProcess(process); }
  ~ProcessScope() { SetCurrentPlantProcess(nullptr); }
  ProcessScope(const ProcessScope&) = delete;
  ProcessScope& operator=(const ProcessScope&) = delete;
};

int DpiOfScreenRect(const RECT& rect) { return DpiForRect(rect, nullptr); }

// The Info page's Restart, once the user has confirmed it; returns only when the plant goes on.
void RestartFromDialog() { (void)RestartPlant(); }

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

void TakeScreenSize(PlantProcess& p) {
  RECT client{};
  if (const HWND listView = p.ListView()) {
    GetClientRect(listView, &client);
  }
  p.permission.StartAt(client.right - client.left, client.bottom - client.top);
  p.plant.screenWidth = client.right - client.left;
  p.plant.screenHeight = client.bottom - client.top;
}

// The first run of a plant starts from the program folder's copy; later runs continue the private one.
void CopyInstalledPlantIfMissing(const PlantNames& names) {
  if (GetFileAttributesA(names.privatePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    CopyFileA(names.installedPath.c_str(), names.privatePath.c_str(), TRUE);
  }
}

// The 32-bit program on 64-bit Windows reaches the 64-bit desktop through the companion, which it
// starts unless one runs already; everywhere else the library's exports are called directly.
bool PrepareHookRoute(PlantProcess& p) {
  if (gApp.wow64 != 0) {
    auto companion = std::make_unique<CompanionRoute>(
        *p.block, std::string(gApp.programFolder) + "\\" + kCompanionProgram);
    if (!companion->StartIfMissing()) {
      return false;
    }
    p.route = std::move(companion);
  } else {
    p.route = std::make_unique<DirectHookRoute>();
  }
  p.hook = std::make_unique<HookClient>(*p.block, *p.route, WaitDispatchingMessages, nullptr,
                                        &LibraryHolderWatch());
  return true;
}

bool CreatePlantWindow(PlantProcess& p) {
  const int32_t position =
      gApp.CreateZrfWindow(0, MainWndProc, gApp.productName, kProgramIcon, kPlantWindowFlags, 0, 0, 0, 0);
  if (position < 0) {
    return false;
  }
  p.window = (*gApp.windows.GetAt(position))->window;
  return p.window != nullptr;
}

// Lets the desktop's process send the desktop-draw message to this one across integrity levels.
void AllowDesktopMessage(UINT message) {
  using FilterFunction = BOOL(WINAPI*)(UINT, DWORD);
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const FARPROC found = user32 != nullptr ? GetProcAddress(user32, "ChangeWindowMessageFilter") : nullptr;
  // Through void (*)(), the one function type GCC lets any other be cast from and to.
  const auto filter = reinterpret_cast<FilterFunction>(reinterpret_cast<void (*)()>(found));
  if (filter != nullptr) {
    filter(message, MSGFLT_ADD);
  }
}

void ShowFirstPicture(PlantProcess& p) {
  (void)plant::LoadSnapshot(p.plant, p.picture, p.window, plant::SystemFileOps());
  (void)plant::ShowDrawingBanner(p.picture, p.window, p.module, p.dpiForRect);
}

// The worker's jobs draw pictures compatible with the plant window and tell the dialog; both exist
// before the welcome dialog, which works on the same host as the plant dialog.
void MakeWorkerJobsAndDialogHost(PlantProcess& p) {
  p.jobs = std::make_unique<PlantWorkerJobs>(PlantWorkerParts{p.plant, p.picture, p.permission,
                                                              p.worker.Words(), p.worker.Running(), p.window,
                                                              p.block, p.hook.get()});
  p.dialogHost = std::make_unique<PlantProgramDialogHost>(
      PlantDialogParts{p.plant, p.names, p.options, p.worker, *p.jobs, *p.block, p.window, p.icons.Large(),
                       p.icons.Small(), RestartFromDialog, ShowAboutDialog, MovePlantFrame});
}

// Starts the worker; a failure leaves the desktop before the plant ends (the exit code is returned).
int StartWorker(PlantProcess& p, int32_t backlog) {
  const WorkerStart started = p.worker.Start(p.names.fileName, *p.jobs, backlog, p.options.idleCpu != 0);
  if (started == WorkerStart::Started) {
    return 0;
  }
  (void)p.hook->UnregisterFromHook(p.WindowSlot(), ToRect32(p.Rect()));
  if (started == WorkerStart::NoEvent) {
    ShowPlantFileMessage(p.names.privatePath.c_str(), kNoWorkerEvent);
  }
  return 1;
}

// Everything up to the registration on the desktop. Returns -1 when the plant may go on, else the
// process's exit code.
int PrepareProcess(PlantProcess& p) {
  TakeScreenSize(p);
  std::string shown;
  const int32_t named = NamePlant(gApp.switches, gApp.dataFolder, gApp.programFolder, &p.names, &shown);
  if (named != 0) {
    ShowPlantFileMessage(shown.empty() ? nullptr : shown.c_str(), named);
    return 1;
  }
  CopyInstalledPlantIfMissing(p.names);
  p.plant.path = p.names.privatePath;
  std::string why;
  const plant::LoadResult loaded = plant::LoadPlantFile(p.plant, plant::SystemFileOps(), Now(), &why);
  if (loaded != plant::LoadResult::Ok) {
    ShowPlantFileMessage(p.names.privatePath.c_str(), static_cast<int32_t>(loaded));
    return 1;
  }
  p.icons.Extract(p.names.privatePath);
  if (!PrepareHookRoute(p)) {
    ShowProgramMessage(kCompanionErrorText);
    return 1;
  }
  DataFileStore store = gApp.DataFiles();
  ReadOptions(store, p.names.optionsName, &p.options);
  p.permission.followScreenMode.store(p.options.followScreenMode != 0);
  (void)FixWallpaperValue(gApp.productName);
  if (!CreatePlantWindow(p)) {
    gApp.MessageDialog(nullptr, nullptr, gApp.strings.Text(kFrameworkInitErrorText, 0), kProgramMessageStyle,
                       0, kNoPlantWindow);
    return 1;
  }
  p.icons.GiveTo(p.window);
  MakeWorkerJobsAndDialogHost(p);
  std::srand(static_cast<unsigned>(Now()) + static_cast<unsigned>(reinterpret_cast<uintptr_t>(p.window)));
  return -1;
}

int RunPlant(HINSTANCE instance, const char* commandLine, int showCommand) {
  char patterns[32];
  std::snprintf(patterns, sizeof patterns, "*%s;*%s", kPlantExtension, kSnapshotExtension);
  gApp.SetFilePatterns(patterns, "");
  // The update check and the configuration archive, at start and every 24 hours after.
  UseMaintenanceDailyJobs();
  // The start-up's update check opens no notice before the welcome has had its turn (which then
  // holds it back while it is open).
  NoticeHold untilWelcomed(ProcessNoticeGate());
  if (gApp.Init(instance, kProductNameText, gProgramStrings, kSeveralInstances, kSettingsVersion, commandLine,
                showCommand) != 0) {
    return 0;
  }
  PlantProcess p;
  p.block = &LibraryBlock();
  p.module = instance;
  p.dpiForRect = DpiOfScreenRect;
  const ProcessScope scope(&p);
  if (const int exitCode = PrepareProcess(p); exitCode >= 0) {
    return exitCode;
  }
  const plant::PlantRecord& record = p.plant.Record();
  const int32_t backlog = StartupBacklog(Now(), record.clock, record.secondsPerStep);
  const int32_t registered = p.hook->RegisterWithHook(p.WindowSlot(), p.names.privatePath);
  if (registered == kHookFailed) {
    ShowProgramMessage(kHookErrorText);
    return 0;
  }
  if (registered == kHookAlreadyShown) {
    return 0;  // the process that shows it has opened its dialog
  }
  AllowDesktopMessage(ostrel::LoadShared(p.block->message));
  (void)ShowWelcome(*p.dialogHost);
  untilWelcomed.Release();
  ShowFirstPicture(p);
  if (const int exitCode = StartWorker(p, backlog); exitCode != 0) {
    return exitCode;
  }
  p.UpdateHook(p.Rect());
  p.worker.Request(0, WorkerCommand::Redraw);
  SetTimer(p.window, kClockTimerId, kClockTimerPeriodMs, nullptr);
  (void)gApp.Run();
  ShutdownPlant(true);
  return 0;
}

}  // namespace
}  // namespace plantapp

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  return plantapp::RunPlant(instance, commandLine, showCommand);
}
