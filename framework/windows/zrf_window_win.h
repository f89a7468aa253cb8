// CZrfWindow: a framework top-level window of class "ZRFWindow". Around the Win32 window it keeps
// the flags, the normal rectangle that is saved in "(ZRF)Win<index>", transparency and
// click-through, the four dock bays, keyed status texts guarded by a mutex, and the busy overlay
// shown while a modal dialog runs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_array.h"
#include "framework/ui/status_texts.h"
#include "framework/ui/window_menu.h"
#include "framework/ui/window_placement.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/dock_bay_win.h"

class CUIItem;

constexpr char kZrfWindowClass[] = "ZRFWindow";
constexpr char kZrfBusyClass[] = "ZRFBusy";
constexpr char kPlacementFileName[] = "(ZRF)Win";
constexpr uint16_t kNoWindowIndex = 0xFFFF;
constexpr DWORD kStatusMutexTimeout = 1000;  ///< milliseconds

class CZrfWindow {
 public:
  /// Index 0xFFFF, no status command, minimum track size 150 by 100, everything else empty.
  CZrfWindow();
  /// Removes the window's notification-area icon and destroys its icon, destroys the dock bays
  /// (front first) and the window, and closes the mutex.
  ~CZrfWindow();
  CZrfWindow(const CZrfWindow&) = delete;
  CZrfWindow& operator=(const CZrfWindow&) = delete;

  /// Creates the hidden window: default place on the monitor at (0, 0) (zero sizes two thirds of
  /// it, zero positions centred and stepped 40 pixels per index), replaced by the saved placement
  /// when the settings version is unchanged and the record lies on a monitor; then the dock
  /// bays, the status mutex and the two "Ready" texts. 0 or ZRF_ERR_CREATE.
  [[nodiscard]] int32_t Create(uint16_t newIndex, WNDPROC procedure, const char* title, uint16_t iconId,
                               uint32_t newFlags, int32_t x, int32_t y, int32_t cx, int32_t cy);
  /// Scope -1 only makes the floating bars follow; any other scope also shows the window (a
  /// minimised one asked for SW_SHOW is restored) and raises it after SW_SHOW and SW_SHOWNORMAL.
  void Show(int showCommand, int32_t scope);
  /// Moves and sizes the window past its locks; cx -1 only lays the window out again.
  void Move(int32_t x, int32_t y, int32_t cx, int32_t cy, bool show);
  void SetRect(const RECT& rect, bool show);
  /// Writes the placement record "(ZRF)Win<index>" to the data folder. True when written.
  bool SavePlacement() const;
  /// 0 normal caption, 0x10 small, 0x8 none, 0x800 borderless.
  void SetCaptionStyle(uint32_t captionStyle);
  /// Transparency in percent and click-through, for the window and its floating bars.
  void SetTransparency(int32_t percent);
  void SetGhost(bool on);
  /// Toggles the taskbar button (flag 0x1) and gives the window its styles again.
  void ToggleTaskbarButton();
  void SetFlag(uint32_t bits, bool on);
  void ToggleFlag(uint32_t bits);
  /// Sets (or removes, for a null or empty text) the status text of `key` from any thread.
  /// 0, or the wait result when the mutex was not obtained within 1000 ms (list untouched).
  DWORD SetStatusText(int32_t key, const char* text);
  /// A copy of the text to show, taken under the mutex. False when the mutex was not obtained.
  bool ShownStatusText(char* buffer, size_t size);
  /// Moves the focus by `step` (+1 or -1) among the visible, enabled tab-stop children,
  /// wrapping at either end. False when there is none.
  bool CycleFocus(int32_t step);
  /// Makes the dock bay of `side` and appends it; its list position, or -1.
  int32_t AddDockBay(int32_t side);
  /// Sends WM_SIZE with the current client size twice (the bays settle on the second pass).
  void Layout();
  /// Fills windowMenuIds with the window menu (the window's bars, a separator, the framework's
  /// entries; see PlanWindowMenu), ticks and enables its commands for the window's state and
  /// returns the number of ids before the end mark.
  int32_t BuildWindowMenu();
  /// Carries out a window-menu command (or shows or hides the bar of that id). False for a
  /// command that is not the window menu's.
  bool OnCommand(uint16_t commandId);

  HWND window = nullptr;
  HWND busyOverlay = nullptr;
  HWND lastFocus = nullptr;
  uint16_t index = kNoWindowIndex;
  uint32_t flags = 0;
  RECT clientRect{};
  RECT normalRect{};
  RECT lastRect{};
  uint16_t statusCommand = 0xFFFF;
  bool restyling = false;
  int32_t minTrackSize[2] = {150, 100};
  HICON trayIcon = nullptr;
  int32_t transparency = 0;
  bool ghost = false;
  int32_t dpi = 96;
  uint16_t windowMenuIds[zrf::kWindowMenuSize] = {0xFFFF};
  CZrfArray<CDockBay*> dockBays;
  zrf::StatusTextList statusTexts;
  ScopedHandle statusMutex;
  CUIItem* openPopup = nullptr;  ///< the popup menu open from this window's own items

 private:
  void ApplyStyles();
  /// The transparency and ghost of the window, and of its floating bars.
  void ApplyTransparency();
};

/// The framework's own window procedure. The window menu and what else needs the UI items goes to
/// gApp.frameworkWindowHook.
LRESULT CALLBACK ZrfWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
