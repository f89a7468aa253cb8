// CZrfApp: the framework's one application object. It exists as the static object gApp for the
// whole process, constructed before the program's entry function and destroyed after it returns,
// and holds the program's identity, folders, settings and install records, string table, command
// table and the state of the message loop and of a restart.
// Its object and state live in framework_app_win, below the framework windows and dialogs, which
// define their own members on top of it; start-up, the message loop, shutdown, the command table's
// operations and the control window call into both and so are defined in framework_win, above
// them (see framework/CMakeLists.txt).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/app/accelerator.h"
#include "framework/app/command_line.h"
#include "framework/app/command_table.h"
#include "framework/base/string_table.h"
#include "framework/base/zrf_array.h"
#include "framework/files/data_file.h"
#include "framework/files/install_record.h"
#include "framework/files/settings_record.h"
#include "framework/style/ui_style_win.h"

class CZrfWindow;
class CUIItem;
class CBar;
class CDockBay;
class CMenu;
struct BarItemOperations;
struct StringRecord;

class CZrfApp {
 public:
  /// All fields zero or empty, then: dialog icon id 1, the settings defaults, the string table
  /// reading its language from the settings, and OLE initialised for this thread.
  CZrfApp();
  /// At process exit: runs exitHook (the start-up sets it to the shutdown: windows destroyed,
  /// state saved, the restart made), then uninitialises OLE when the constructor initialised it.
  ~CZrfApp();
  CZrfApp(const CZrfApp&) = delete;
  CZrfApp& operator=(const CZrfApp&) = delete;

  // Start-up (framework/program/app_startup_win.cpp).
  /// The framework's start-up, once, from the program's entry: DPI awareness, identity, key names,
  /// UI style, command line, program path and version, install record, data folders, a pending
  /// configuration archive, settings, palette and font, common controls, registered messages, OS
  /// version, another instance (only when `allowSeveral` is 0 or -QUIT was given), window classes
  /// with the control and tooltip windows, the built-in commands and the daily jobs. `programTable`
  /// is the program's string table for language 0 (sorted in place, must outlive gApp); piece 0 of
  /// `productId` is the product name. Returns 0, or the first failing step's code, after
  /// showing the start-up error message (none for ZRF_ERR_OTHER_INSTANCE and
  /// ZRF_ERR_DATA_FOLDER); after any failure nothing is saved at exit.
  int32_t Init(HINSTANCE instanceHandle, uint16_t productId, StringRecord* programTable, uint8_t allowSeveral,
               int32_t settingsVersion, const char* commandLineText, int showCommand);

  // Message loop (framework/program/message_loop_win.cpp).
  /// Runs the GUI thread's loop until WM_QUIT (or a failed GetMessageA); returns WM_QUIT's wParam
  /// (-1 after a failure).
  int32_t Run();
  /// What every message of the loop and of the framework's waits passes: the popup keys, the
  /// borderless resize, Tab, accelerators and Alt, dialog keys, then translation and dispatch.
  void PreTranslateMessage(MSG* message);
  /// Waits `milliseconds` keeping the windows alive. On another thread than the control window's
  /// it only sleeps. False when a WM_QUIT came during the wait: it is posted again, with its exit
  /// code, so the loop that follows ends.
  bool PumpWait(uint32_t milliseconds);
  /// Keyboard menu mode of the menu bar of the window at menuWindowIndex: 0 enter, 1 next entry,
  /// -1 previous entry, 2 leave. 1 when there was nothing to do (no such window), else 0.
  int32_t MenuMode(int32_t action);
  /// Closes the popup that `item`'s window holds and returns it; with null, leaves menu mode.
  CUIItem* ClosePopup(CUIItem* item);
  /// Index of the first entry of `popup` whose command is hot (highlighted), or -1.
  int32_t PressedItemIndex(const CMenu* popup) const;
  /// From entry `start` of `popup`, steps by `direction` with wrap-around over the entries that
  /// are not separators to the first enabled one; when none is, the index reached.
  int32_t NextMenuItem(const CMenu* popup, int32_t start, int32_t direction) const;
  /// The same over the menu-bar entries, skipping hidden ones; -1 when none is enabled.
  int32_t NextMenuBarEntry(int32_t start, int32_t direction) const;

  // Shutdown and restart (framework/program/app_shutdown_win.cpp, restart_request_win.cpp).
  /// Arranges a restart at exit and ends the loop: mode kRestartAsNow (-1), kRestartNormal or
  /// kRestartElevated; `commandLineText` null restarts with the program's own command line;
  /// `notify` 1 tells the other instances of the product to restart as well.
  void RequestRestart(int32_t mode, const char* commandLineText, uint8_t notify);
  /// Destroys the bars (with their commands), the framework windows, the tooltip and the
  /// application icon, saves the state (unless noSave) and destroys the control window last.
  void DestroyAllWindows();
  /// Writes every bar's and framework window's placement and the settings record; nothing when
  /// noSave.
  void SaveState();

  // Commands (framework/program/app_commands_win.cpp; the table itself is command_table.h's).
  /// See CCommandTable::Register. Returns the position, or -1 when the table cannot grow.
  int32_t RegisterCommand(uint16_t id, uint16_t kind, uint32_t flags, uint16_t iconId, uint16_t stringId,
                          uintptr_t data, uint32_t valueA, uint32_t valueB);
  int32_t CommandIndex(uint16_t id) const { return commands.Index(id); }
  /// 0, or ZRF_ERR_UNKNOWN_COMMAND.
  int32_t GetCommand(uint16_t id, CommandRecord* out) const { return commands.Get(id, out); }
  /// Replaces the record (keeping its id) and redraws the command's items. 0 or
  /// ZRF_ERR_UNKNOWN_COMMAND.
  int32_t SetCommand(uint16_t id, const CommandRecord& record);
  /// Sets or clears the checked flag; redraws when it changed. 0 or ZRF_ERR_UNKNOWN_COMMAND.
  int32_t SetCommandChecked(uint16_t id, uint8_t checked);
  /// Enables, or disables (clearing hot and pressed); when the flags changed, a disabling clears
  /// the hover status text of the window at menuWindowIndex, and the items are redrawn. 0 or
  /// ZRF_ERR_UNKNOWN_COMMAND.
  int32_t EnableCommand(uint16_t id, uint8_t enabled);
  /// Redraws at once every live UI item of command `id`. With `updateArgument` other than -1 and
  /// the command enabled, an item whose OnUpdate(updateArgument) answers false is skipped;
  /// `relayout` first lays out again the bar that holds an item.
  void RedrawCommandItems(uint16_t id, bool relayout = false, int32_t updateArgument = -1);

  // Item events and popup menus (framework/items/item_events_win.cpp). `buttons` is the mask of
  // GetMouseButtonMask: 1 left, 2 right, 4 middle.
  /// A button went down on `item`: its command shows pressed (a split menu item pressed on its
  /// arrow part shows only the arrow pressed).
  void OnItemPressed(CUIItem* item, uint32_t buttons);
  /// The button came up over `item`: the pressed look goes and the command acts: a menu item
  /// opens or closes its popup, a separator does nothing, anything else closes the open popup and
  /// sends WM_ZRF_COMMAND (buttons << 16 | command id) to the item's owner. `item` may be
  /// destroyed when this returns (closing a popup destroys its entries).
  void OnItemClicked(CUIItem* item, uint32_t buttons);
  /// WM_ZRF_ITEMDBLCLK (buttons << 16 | command id) to the item's owner.
  void OnItemDoubleClick(CUIItem* item, uint32_t buttons);
  /// The mouse entered `item`: its status text (piece 2) becomes the owner window's status text
  /// -2, and it is the hovered item.
  void OnItemHoverEnter(CUIItem* item);
  /// The mouse left `item`: hot and pressed go, and the hovered item's status text is removed.
  void OnItemHoverLeave(CUIItem* item);
  /// The mouse moved over `item`: it shows hot (and pressed while a button is held over it,
  /// unless it drags by itself); popups of other menu items close, and an open menu moves over to
  /// a hovered menu item.
  void OnItemMouseMove(CUIItem* item);
  /// Flags of the item's command := `set` | (flags without `clear`); the item's window is
  /// invalidated when they changed. Nothing for an item whose command is not registered.
  void SetItemState(CUIItem* item, uint32_t set, uint32_t clear);
  /// Opens the popup menu of command `id` at the screen point `point` (null: the cursor) for
  /// `owner`; the popup menu object, owned by the application, or null when it could not open.
  CUIItem* ShowPopupMenu(uint16_t id, const POINT* point, HWND owner);
  /// The framework window whose window is the nearest ancestor (or owner) of `child`, the handle
  /// itself not counted; null when none.
  CZrfWindow* OwnerWindow(HWND child) const;

  /// Copies the data-file patterns (extra files a configuration archive takes along) and the keep
  /// patterns (data-folder files that survive applying an archive), each cut to 259 characters.
  /// A null text counts as empty.
  void SetFilePatterns(const char* dataFilePatterns, const char* keepPatterns);

  /// True when the stored settings version matched the one the program gave at start-up; saved
  /// window placements are used only then.
  bool IsSameVersion() const { return settingsVersionChanged == 0; }

  /// Loads "(ZRF)App" of the data folder over the defaults, applies its rules and sets
  /// settingsVersionChanged when the stored version differs from `givenVersion`.
  void LoadSettings(int32_t givenVersion);

  /// Writes the settings record as "(ZRF)App" unless noSave is set (a start that failed must
  /// never overwrite the user's settings with defaults) or the data folder is not set.
  /// True when the file was replaced.
  [[nodiscard]] bool SaveSettings();

  /// Reads the install record of the product name from the registry. 0 or ZRF_ERR_INSTALL.
  [[nodiscard]] int32_t LoadInstallRecord();

  /// The data-file store on this object's data folder and common data folder. It borrows the
  /// folders, so it sees later changes to them; valid as long as gApp.
  DataFileStore DataFiles();

  /// Splits `text` into `switches` and sets autostart, minimised and taskScheduler afresh.
  /// kParseQuit (-QUIT), else kParseWaitForDataPath (-WAITFORDATAPATH), else kParsePlain.
  int32_t ParseCommandLine(const char* text);

  /// Position in `switches` of the first switch named `name` (with its "-") without regard to
  /// case; -1 when absent. Its arguments are read from `switches`.
  int32_t FindSwitch(const char* name) const { return ::FindSwitch(switches, name); }

  // Dialogs (framework/windows/dialog_setup_win.cpp, framework/windows/message_box_win.cpp).
  /// The framework message box: a printf-style text, the style bits of message_box_layout.h.
  /// Returns the pressed button's id (Escape and the close box give 2), or -666 when there was
  /// no memory for the text. A null caption means the product name; a null format counts as "".
  int32_t MessageDialog(HWND owner, const char* caption, const char* format, uint32_t style, int32_t focusId,
                        ...);
  /// Sets a dialog up at WM_INITDIALOG: the bold UI font on its default button, group boxes and
  /// qualifying check boxes, the dialog icon, the focus, centred on its parent and topmost with
  /// it. Returns the dialog font (owned by the UI style).
  HFONT InitDialog(HWND dialog);
  /// The font part of InitDialog again for a new DPI (at least 96). Returns the dialog font.
  HFONT UpdateDialogDpi(HWND dialog, int32_t dpi);
  /// Shows and raises the owner, then runs the dialog modally with the modal depth raised.
  INT_PTR RunModalDialog(HWND owner, int32_t dialogId, DLGPROC procedure, LPARAM initParam);
  /// Raises or lowers the modal depth (never below 0) and tells every framework window.
  void ChangeModalDepth(bool up);
  /// The foreground window when it belongs to this process, else null.
  HWND OwnForegroundWindow() const;

  // Framework windows (framework/windows/zrf_window_win.cpp).
  /// Makes a framework window with CZrfWindow::Create's arguments; its list position, or -1.
  int32_t CreateZrfWindow(uint16_t index, WNDPROC procedure, const char* title, uint16_t iconId,
                          uint32_t flags, int32_t x, int32_t y, int32_t cx, int32_t cy);
  /// Destroys every framework window, last first.
  void DestroyZrfWindows();
  CZrfWindow* FindWindowByHwnd(HWND window) const;
  CZrfWindow* FindWindowByIndex(uint16_t index) const;
  /// SendMessageA to the main window: the last window of the list (down to position 1) flagged
  /// main, else window 0. -1 when there is no framework window.
  LRESULT SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam);
  /// Repaints every framework window's frame and every bar's: WM_NCACTIVATE (0), and WM_NCPAINT
  /// too for windows without a caption, so each caption shows whether its window is the menu
  /// window.
  void RepaintFrames();
  /// Switches the colour scheme (0 none, 1 default, 2 custom): stores it in the settings, rebuilds
  /// the palette and the command icons and redraws every window and bar.
  void SetColorScheme(uint8_t scheme);

  // Bars and dock bays (framework/windows/bar_win.cpp; the two above: app_windows_win.cpp beside it).
  /// The bar of `barId` in the bar list, or null.
  CBar* FindBar(uint16_t barId) const;
  /// The dock bay of `bayId` (side + window index x 256) among the framework windows' bays, or
  /// null.
  CDockBay* FindDockBay(uint16_t bayId) const;
  /// Shows or hides `bar` (its shown flag follows), lays every window out again and tells the
  /// bar's window WM_ZRF_BARSHOWN (wParam show, lParam the bar).
  void ShowBar(CBar* bar, bool show);

  // Shell services (framework/shell/).
  /// Creates or deletes the Startup-folder shortcut "<name>.lnk" (null name: the product name)
  /// that starts "<install folder>\<product name>.exe -WAITFORDATAPATH -AUTOSTART <extra>" with the
  /// icon of iconLocation (null: the program's). Disabled: deletes it (a missing one is no error).
  /// Enabled with keepExisting and a shortcut present: leaves it as it is. 0, or ZRF_ERR_SHORTCUT
  /// when the shell fails, a path does not fit, or the shortcut could not be deleted; the caller
  /// decides whether to report it. Requires: COM on this thread (the constructor's OLE).
  int32_t SetAutostart(bool enabled, const char* extra, uint8_t keepExisting, const char* iconLocation,
                       const char* name);
  /// Opens a help file (a name containing ".chm"; one that does not exist as given is taken from
  /// the install folder) at topic (null or empty: its start) with the associated viewer. Returns a
  /// kHelp result of framework/shell/help_file.h; every failure except a name without ".chm" is
  /// told to the user in the framework message box.
  int32_t OpenHelp(const char* file, const char* topic);
  /// Adds, changes or (iconId 0) removes the notification-area icon of framework window
  /// windowIndex (the desktop window's when there is none): icon resource iconId at 64 x 64, tip
  /// from the printf-style format (null: the product name; 127 characters show). The window owns
  /// its icon and destroys the one it replaces. Failures are not reported.
  void SetTrayIcon(uint16_t windowIndex, int32_t iconId, const char* format, ...);

  // Identity.
  HINSTANCE instance;                  ///< module instance given to Init
  uint32_t processId;                  ///< GetCurrentProcessId at Init
  uint16_t productStringId;            ///< string id whose piece 0 is the product name
  char productName[260];               ///< piece 0 of productStringId
  int32_t version[3];                  ///< file version: major, minor, third number
  char commandLine[kCommandLineSize];  ///< the command line given to Init
  char programFolder[260];             ///< folder of the program file, up to its last "\"
  char programPath[260];               ///< full path of the program file
  uint32_t productCrc;                 ///< Crc32 of productName; keys the control message
  uint32_t controlMessage;             ///< registered "ZRFMSG_ZRFCONTROL"
  uint32_t taskbarMessage;             ///< registered "TaskbarCreated"
  uint32_t doubleClickTime;            ///< GetDoubleClickTime at Init

  // Folders (full paths without a trailing backslash; empty until the data folders are set up).
  char dataFolder[260];        ///< per-user data folder
  char commonDataFolder[260];  ///< all-users data folder

  // Start-up state.
  int32_t dialogIconId;            ///< icon resource of dialogs and the message box; 1
  int32_t osCode;                  ///< Windows version code; 0 until Init sets it
  uint8_t wow64;                   ///< 1: the 32-bit program runs on 64-bit Windows
  uint8_t noSave;                  ///< 1: the settings are not written
  uint8_t settingsVersionChanged;  ///< 1: stored settings version differed at load
  char keepPatterns[260];          ///< second text of SetFilePatterns
  char dataFilePatterns[260];      ///< first text of SetFilePatterns

  // Loop, shutdown and restart.
  uint8_t loopRunning;                        ///< 1 while Run is inside its loop
  int32_t restartMode;                        ///< kRestartNone, kRestartNormal, kRestartElevated
  char restartCommandLine[kCommandLineSize];  ///< arguments of the restart
  uint8_t notifySiblings;                     ///< 1: at exit, tell the other instances to restart
  HICON applicationIcon;                      ///< destroyed at shutdown when set

  /// The daily jobs: the start-up runs each once and the control window every 24 hours. The
  /// services that provide them set these; null does nothing.
  void (*checkForUpdateIfDue)();
  void (*archiveConfigIfDue)();
  /// Where the scheduled archives go, expanded into `folder` (`size` bytes); false when there is
  /// no such folder. Applying a pending archive at start spares it. Set by the archiving service;
  /// null: no folder.
  bool (*scheduledArchiveFolder)(char* folder, size_t size);

  // Records. The settings are 4-aligned so the string table can read the language in place.
  alignas(4) SettingsRecord settings;
  InstallRecord install;

  CStringTable strings;
  CUIStyle style;  ///< fonts per DPI, palette and command icons; set up by the start-up

  // Command line (ParseCommandLine).
  CSwitchList switches;   ///< the switches in command-line order
  uint8_t autostart;      ///< -AUTOSTART was given
  uint8_t minimised;      ///< -MINIMIZE was given
  uint8_t taskScheduler;  ///< -TASKSCHEDULER was given

  // Commands and keys.
  CCommandTable commands;                    ///< sorted by command id
  CZrfArray<AcceleratorEntry> accelerators;  ///< filled by the program; the framework adds none
  uint8_t acceleratorsOn;                    ///< 1: the accelerator table is consulted

  // Windows and dialogs.
  CZrfArray<CZrfWindow*> windows;  ///< framework windows, sorted by index
  CZrfArray<CBar*> bars;           ///< the bars of every window, owned; made by the program
  HWND controlWindow;              ///< owner of the framework windows; null until it exists
  HWND tooltipWindow;              ///< the application-wide tooltip window
  WNDPROC previousWindowProc;      ///< procedure a framework window had before its own was set
  int32_t modalDepth;              ///< open modal dialogs and message boxes
  HFONT dialogFont;                ///< font of the dialog set up last; owned by the UI style

  // Menu mode (the popups and menu bars are the UI items').
  uint16_t menuWindowIndex;            ///< window whose menu bar or popup is active; 0 at start
  CUIItem* openPopup;                  ///< open popup menu, null when none
  uint8_t popupOpen;                   ///< 1 while a popup menu is open
  CUIItem* menuItem;                   ///< popup item being tracked
  CZrfArray<CUIItem*> menuBarEntries;  ///< collected by MenuMode

  // UI items. An item clears every one of these that names it when it is destroyed.
  CZrfArray<CUIItem*> items;      ///< the live items, in construction order
  CUIItem* hoveredItem;           ///< the item under the mouse, null when none
  CUIItem* pressedItem;           ///< the item a button went down on, until it comes up
  uint64_t lastPressTick;         ///< GetTickCount64 of the last press on an item
  uint64_t buttonPressTicks[3];   ///< per button (left, right, middle): its last press, 0 none
  CUIItem* popupMenu;             ///< the menu ShowPopupMenu opens, made on its first use

  /// What the destructor runs first: the shutdown (destroying every window, saving the state),
  /// which the start-up installs because it reaches above this library. Null: nothing.
  void (*exitHook)();
  /// What a framework window leaves to the layers above it, which the start-up installs (null:
  /// the window does without): its window menu (WM_ZRF_WINDOWMENU and WM_ZRF_COMMAND), the
  /// colour swatches it draws (WM_ZRF_DRAWICON) and the popup that closes when the application is
  /// deactivated (WM_ACTIVATEAPP). True when the message was answered, with its result in
  /// `*result`.
  bool (*frameworkWindowHook)(CZrfWindow* window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  /// Redraws the UI items of a command (RedrawCommandItems), for the status texts, which sit
  /// below the items; installed by the start-up, null: nothing.
  void (*redrawItemsHook)(uint16_t id);
  /// What a bar asks of its UI items, which sit above the bars (BarItemOperations of bar_win.h):
  /// their sizes, measuring, places and freeing; installed by the start-up, null: a bar measures,
  /// places and frees no items.
  const BarItemOperations* barItemsHook;

 private:
  HRESULT oleResult_;
};

/// The application object.
extern CZrfApp gApp;

/// The module whose resources the framework loads: the application's instance, else the program.
HINSTANCE FrameworkModule();

/// Data-file operations on gApp's folders (see DataFileStore): bytes read, the file size for a
/// null buffer, or 0; the size written, or 0.
uint32_t ReadDataFile(const char* name, int32_t number, void* buffer, uint32_t size, int32_t location);
uint32_t WriteDataFile(const char* name, int32_t number, const void* data, uint32_t size, int32_t location);
uint32_t ReadFileFromFolder(const char* folder, const char* fileName, const char* extension, void* buffer,
                            uint32_t size, int32_t location);
uint32_t WriteFileAtomic(const char* folder, const char* fileName, const char* extension, const void* data,
                         uint32_t size, int32_t location);
