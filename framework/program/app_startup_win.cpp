// The framework's start-up, CZrfApp::Init: its steps in order, each a small function that
// returns 0 or the code the start fails with.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/app/built_in_commands.h"
#include "framework/app/control_window.h"
#include "framework/app/data_folders_win.h"
#include "framework/app/key_names.h"
#include "framework/app/os_version.h"
#include "framework/app/pending_archive_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/crc32.h"
#include "framework/base/text_copy.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/bar_items_win.h"
#include "framework/items/ui_item_win.h"
#include "framework/program/app_shutdown_win.h"
#include "framework/program/control_window_win.h"
#include "framework/program/framework_window_hook_win.h"
#include "framework/ui/common_controls_win.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/message_box_layout.h"
#include "framework/ui/monitor_table_win.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr uint16_t kStartupErrorText = 0xF003;
// Version resources are a few kilobytes; anything far larger is not one.
constexpr DWORD kVersionInfoLimit = 64 * 1024;

template <typename Function>
Function Lookup(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  FARPROC proc = handle != nullptr ? GetProcAddress(handle, name) : nullptr;
  // Through void (*)(), the one function type GCC lets any other be cast from and to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

void SetDpiAwareness() {
  ResolveDpiFunctions();
  if (gDpiFunctions.setProcessDpiAwarenessContext != nullptr) {
    gDpiFunctions.setProcessDpiAwarenessContext(reinterpret_cast<DPI_AWARENESS_CONTEXT>(intptr_t{-4}));
  } else if (gDpiFunctions.setProcessDpiAwareness != nullptr) {
    gDpiFunctions.setProcessDpiAwareness(2);
  } else {
    SetProcessDPIAware();
  }
}

void SetIdentity(CZrfApp& app, HINSTANCE instance, uint16_t productId, StringRecord* programTable,
                 const char* commandLine) {
  app.instance = instance;
  app.productStringId = productId;
  CopyCut(app.commandLine, commandLine);
  (void)app.strings.SetProgramTable(0, programTable);
  CopyCut(app.productName, app.strings.Text(productId, 0));
  app.processId = GetCurrentProcessId();
  app.controlMessage = RegisterWindowMessageA(kControlMessageName);
  app.productCrc = Crc32(app.productName, -1);
  BuildMonitorTable();
  app.doubleClickTime = GetDoubleClickTime();
}

void ReadKeyNames() {
  FillKeyNames();
  for (KeyNameEntry& entry : gKeyNames) {
    const UINT character = MapVirtualKeyA(entry.code, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (character > ' ' && character < 0x7F && entry.displayName[0] == '\0') {
      entry.displayName[0] = static_cast<char>(character);
      entry.displayName[1] = '\0';
    }
    const LONG scanCode = static_cast<LONG>(MapVirtualKeyA(entry.code, MAPVK_VK_TO_VSC) << 16);
    char name[64] = "";
    if (GetKeyNameTextA(scanCode, name, sizeof name) == 0) {
      GetKeyNameTextA(scanCode | (1 << 24), name, sizeof name);
    }
    if (name[0] != '\0') CopyCut(entry.localName, name);
  }
}

void ReadProgramPathAndVersion(CZrfApp& app) {
  if (GetModuleFileNameA(nullptr, app.programPath, sizeof app.programPath) == 0) app.programPath[0] = '\0';
  CopyCut(app.programFolder, app.programPath);
  if (char* slash = std::strrchr(app.programFolder, '\\')) *slash = '\0';

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(app.programPath, &ignored);
  if (size == 0 || size > kVersionInfoLimit) return;
  std::vector<char> block(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!GetFileVersionInfoA(app.programPath, 0, size, block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr ||
      infoSize < sizeof *info) {
    return;
  }
  app.version[0] = HIWORD(info->dwFileVersionMS);
  app.version[1] = LOWORD(info->dwFileVersionMS);
  app.version[2] = HIWORD(info->dwFileVersionLS);
}

int32_t SetUpDataFolders(CZrfApp& app, int32_t parseResult) {
  char tip[260];
  char menu[260];
  FormatWaitTexts(app.strings, app.productName, tip, menu);
  DataFolders folders{};
  char failedFolder[kDataFolderSize];
  const int32_t tries = parseResult == kParseWaitForDataPath ? -1 : 1;
  const int32_t result = PrepareDataFolders(app.install, app.productName, tries, tip, menu, app.dialogIconId,
                                            &folders, failedFolder);
  if (result != ZRF_OK) {
    if (failedFolder[0] != '\0') {
      char text[1024];
      FormatDataPathMessage(app.strings, failedFolder, text, sizeof text);
      app.MessageDialog(nullptr, app.productName, "%s", zrf::kErrorMessageStyle, 0, text);
    }
    return result;
  }
  CopyCut(app.dataFolder, folders.dataFolder);
  CopyCut(app.commonDataFolder, folders.commonDataFolder);
  return ZRF_OK;
}

// `mayWrite`: the start holds the turn and no restore is under way, so the first-run copy and the
// command-line record cannot land in the middle of a swap (where a seeded file would stand in the
// way of a restored one).
void LoadSettingsAndSaveCommandLine(CZrfApp& app, int32_t settingsVersion, bool mayWrite) {
  if (mayWrite) (void)CopyInitFiles(app.install.installFolder, app.dataFolder);
  app.LoadSettings(settingsVersion);
  DataFileStore store = app.DataFiles();
  // Nothing reads the record; a failed write harms nobody.
  if (mayWrite) (void)SaveCommandLine(store, app.commandLine);
}

int32_t SetUpStyle(CZrfApp& app) {
  const int32_t result = app.style.BuildPalette(&app.settings);
  if (result != ZRF_OK) return result;
  HDC screen = GetDC(nullptr);
  const int32_t dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  app.style.SetUIFont(app.settings.fontFace, app.settings.fontSize, dpi);
  return ZRF_OK;
}

int32_t SetUpCommonControls() {
  if (!IsModernCommonControls()) return ZRF_ERR_COMCTL;
  INITCOMMONCONTROLSEX controls{sizeof controls, 0xFFFFFFFF};
  InitCommonControlsEx(&controls);
  return ZRF_OK;
}

void RegisterTaskbarMessage(CZrfApp& app) {
  app.taskbarMessage = RegisterWindowMessageA(kTaskbarCreatedName);
  using FilterFunction = BOOL(WINAPI*)(UINT, DWORD);
  const auto filter = Lookup<FilterFunction>("user32", "ChangeWindowMessageFilter");
  if (filter == nullptr) return;
  filter(app.taskbarMessage, MSGFLT_ADD);
  filter(app.controlMessage, MSGFLT_ADD);
}

void ReadOsVersion(CZrfApp& app) {
  using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  const auto getVersion = Lookup<GetVersionFunction>("ntdll", "RtlGetVersion");
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  static_assert(sizeof info == 284);
  const bool answered = getVersion != nullptr && getVersion(&info) == 0;
  app.osCode = OsCodeFromVersion(answered, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);

  using IsWow64Function = BOOL(WINAPI*)(HANDLE, BOOL*);
  const auto isWow64 = Lookup<IsWow64Function>("kernel32", "IsWow64Process");
  BOOL wow64 = FALSE;
  app.wow64 = isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64 ? 1 : 0;
}

int32_t TellOtherInstance(CZrfApp& app, uint8_t allowSeveral, int32_t parseResult) {
  const bool quit = parseResult == kParseQuit;
  if (allowSeveral != 0 && !quit) return ZRF_OK;
  HWND other = FindPhantomWindow(app.productName);
  if (other == nullptr && !quit) return ZRF_OK;
  if (other != nullptr) {
    PostMessageA(HWND_BROADCAST, app.controlMessage, quit ? zrf::WM_ZRF_QUIT : zrf::WM_ZRF_ACTIVATE,
                 app.productCrc);
  }
  return ZRF_ERR_OTHER_INSTANCE;
}

// The window that draws the owner-drawn command icons: the first framework window.
HWND FirstFrameworkWindow() {
  return gApp.windows.count > 0 ? (*gApp.windows.GetAt(0))->window : nullptr;
}

int32_t CreateFrameworkWindows(CZrfApp& app) {
  (void)RegisterUIItemClass(app.instance);
  app.style.drawIconWindow = FirstFrameworkWindow;
  app.frameworkWindowHook = FrameworkWindowMessage;
  app.redrawItemsHook = RedrawItemsOfCommand;
  app.barItemsHook = &kBarItemOperations;

  app.controlWindow = CreateControlWindow(app.instance, app.productName);
  if (app.controlWindow == nullptr) return ZRF_ERR_CREATE;

  app.tooltipWindow =
      CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, app.instance, nullptr);
  if (app.tooltipWindow != nullptr) {
    SetWindowPos(app.tooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  }
  return ZRF_OK;
}

// Once per start, and only once the fonts are set up: the box needs them.
void TellRestoreFailure(CZrfApp& app, const RestoreReport& report) {
  char text[1024];
  FormatRestoreFailure(app.strings, report, text, sizeof text);
  if (text[0] != '\0') app.MessageDialog(nullptr, app.productName, "%s", zrf::kErrorMessageStyle, 0, text);
}

bool RegisterBuiltInIcon(void* context, uint16_t commandId, uint16_t resource) {
  auto& style = *static_cast<CUIStyle*>(context);
  const bool drawn = resource == kDrawnCommandIcon;
  const int32_t result = style.AddIcon(commandId, drawn ? 0 : resource, drawn ? kDrawnIconSize : nullptr,
                                       drawn ? kIconOwnerDrawn : 0, kBuiltInIconSize);
  return result >= 0 && result != ZRF_ERR_ICON;
}

}  // namespace

int32_t CZrfApp::Init(HINSTANCE instanceHandle, uint16_t productId, StringRecord* programTable,
                      uint8_t allowSeveral, int32_t settingsVersion, const char* commandLineText,
                      int showCommand) {
  (void)showCommand;
  // From here the shutdown at exit destroys what the start made, whatever step it reached.
  exitHook = ShutDownApplication;
  SetDpiAwareness();
  SetIdentity(*this, instanceHandle, productId, programTable, commandLineText);
  ReadKeyNames();

  int32_t result = style.Init();
  int32_t parseResult = kParsePlain;
  if (result == ZRF_OK) {
    parseResult = ParseCommandLine(commandLine);
    ReadProgramPathAndVersion(*this);
    result = LoadInstallRecord();
  }
  if (result == ZRF_OK) result = SetUpDataFolders(*this, parseResult);

  // Starts of the product take turns from the pending archive to their control window, so a
  // start that applies the archive knows every other running instance by its control window, and
  // nothing a start writes into the data folder meets a restore under way.
  StartupTurn turn;
  RestoreReport restore;
  if (result == ZRF_OK) {
    const bool turnHeld = turn.Take(productCrc);
    // A start that only tells another instance to quit leaves the archive to the next start.
    if (turnHeld && parseResult != kParseQuit) {
      char archiveFolder[MAX_PATH] = "";
      if (scheduledArchiveFolder != nullptr && !scheduledArchiveFolder(archiveFolder, sizeof archiveFolder))
        archiveFolder[0] = '\0';
      restore = ApplyPendingArchiveAtStart(dataFolder, productName, archiveFolder);
    }
    LoadSettingsAndSaveCommandLine(*this, settingsVersion, turnHeld && !IsRestoreUnderWay(dataFolder));
    result = SetUpStyle(*this);
  }
  if (result == ZRF_OK) result = SetUpCommonControls();
  if (result == ZRF_OK) {
    RegisterTaskbarMessage(*this);
    ReadOsVersion(*this);
    result = TellOtherInstance(*this, allowSeveral, parseResult);
  }
  if (result == ZRF_OK) result = CreateFrameworkWindows(*this);
  turn.Release();
  // After the turn: another start need not wait while the user reads it.
  if (result == ZRF_OK) TellRestoreFailure(*this, restore);
  if (result == ZRF_OK) result = RegisterBuiltInCommands(commands, RegisterBuiltInIcon, &style);

  if (result != ZRF_OK) {
    // Whatever step failed, the settings record holds defaults or half a start: writing it at
    // exit would replace the user's settings (or write to the root of a drive without a folder).
    noSave = 1;
    if (result != ZRF_ERR_OTHER_INSTANCE && result != ZRF_ERR_DATA_FOLDER) {
      MessageDialog(nullptr, productName, strings.Text(kStartupErrorText, 0), zrf::kErrorMessageStyle, 0,
                    result);
    }
    return result;
  }
  RunDailyJobs();
  return ZRF_OK;
}
