// The wait for a data folder that is not available yet: a hidden window with a blinking
// notification-area icon whose one-item menu lets the user give up.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>

#include "framework/files/data_path_wait.h"

/// Window class of the wait's hidden window.
constexpr char kWaitWindowClass[] = "ZRFWaitForDataPath";
/// Command id of the menu item that gives up.
constexpr UINT kWaitQuitCommand = 1;

/// The wait. One object serves both folders of a start, one after the other.
class CDataPathWaiter final : public DataPathWaitUi {
 public:
  /// Empty texts, the program's module, no window, quit 0.
  CDataPathWaiter();
  ~CDataPathWaiter() override;
  CDataPathWaiter(const CDataPathWaiter&) = delete;
  CDataPathWaiter& operator=(const CDataPathWaiter&) = delete;

  /// Makes `folder` available (WaitForFolder), showing icon resource `iconId` with `tip` (at most
  /// 127 characters show) and a menu item `menu` while it waits; `tries` -1 waits until the folder
  /// is there or the user gives up. kWaitReady, kWaitQuit or kWaitFailed. The icon, the window
  /// and the tray entry are gone when it returns.
  int32_t Wait(const char* folder, int32_t tries, int32_t iconId, const char* tip, const char* menu);

  /// Loads icon `iconId` of `module` and makes its greyed twin (between the system's 3D light and
  /// button shadow colours). 0; 1 when the icon cannot be loaded; ZRF_ERR_MEMORY. The caller owns
  /// both icons.
  static int32_t MakeIcons(HINSTANCE module, int32_t iconId, HICON* normal, HICON* greyed);

  /// The hidden window while a wait shows its icon, else null (tests post the menu command to it).
  HWND Window() const { return window_; }

  /// Replaces Shell_NotifyIconA, so tests can see the icon's adds, changes and removals. Null
  /// restores the real call.
  using NotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  static void SetNotifyIconForTesting(NotifyIconFunction function);

  char tipText[260];
  char menuText[260];
  HINSTANCE module;
  uint8_t quit;

 private:
  void ShowTry(int32_t tryNumber) override;
  bool PumpAndSleep() override;
  void Hide() override;
  bool CreateWaitWindow();
  void Release();
  void OnTrayNotify(LPARAM event);
  static LRESULT CALLBACK DataPathWaiterWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HICON normalIcon_ = nullptr;
  HICON greyedIcon_ = nullptr;
  int32_t iconId_ = 0;
  bool postQuit_ = false;
  int postQuitCode_ = 0;
};
