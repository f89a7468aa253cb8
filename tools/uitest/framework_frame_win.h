// The UI test program's second framework window, for the checks of menus, lists and bars: it keeps
// the framework's own window procedure (so its window menu, bays and commands work as in any
// framework program) behind a thin procedure of the program's that records the framework's
// messages, gives the texts of the tests' commands, draws and compares the list's rows, and a
// small bar maker, since making bars is left to programs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"
#include "tools/uitest/ui_test_scene_win.h"

namespace uitest {

/// The tests' commands beside the scene's.
constexpr uint16_t kFirstBarCommand = 0x400;   ///< +0..3: bars, buttons in the window menu
constexpr uint16_t kListCommand = 0x410;       ///< a bordered list, a tab stop
constexpr uint16_t kBadMenuCommand = 0x420;    ///< a menu whose ids name an unregistered command
constexpr uint16_t kFileMenuCommand = 0x421;   ///< menu-bar entries
constexpr uint16_t kViewMenuCommand = 0x422;
constexpr uint16_t kFirstToolCommand = 0x430;  ///< +0..7: labelled buttons for bars
constexpr uint16_t kOverflowCommand = 0xF100;  ///< the framework's overflow entry

/// One row of the test list.
struct ListRow {
  const char* name;
  int32_t number;
};

/// The window and what its procedure saw.
struct FrameworkFrame {
  HWND window = nullptr;
  CZrfWindow* object = nullptr;
  std::vector<RecordedMessage> log;
  LRESULT keyAnswer = 0;      ///< the answer to ZRF_LN_KEYDOWN
  int32_t compareCount = 0;   ///< WM_COMPAREITEM the procedure answered
  bool reorderOnSort = true;  ///< ZRF_LN_SORT puts the list's rows in the new order

  std::vector<RecordedMessage> Messages(UINT message) const;
  /// WM_ZRF_COMMAND messages whose high word is list code `code`.
  std::vector<RecordedMessage> ListCodes(uint32_t code) const;
};

/// The frame (framework window 1), made with the tests' commands on first use.
FrameworkFrame& Frame();

/// A bar of the frame with `barId` holding items of `commands` and the overflow entry, made the
/// way a program makes one, appended to gApp.bars (which owns it) and docked in `bayId` at
/// (x, y) with `length` and `thickness` (a floating bar for 0xFFFF).
CBar* MakeBar(uint16_t barId, uint16_t barFlags, std::initializer_list<uint16_t> commands, uint16_t bayId,
              int32_t x, int32_t y, int32_t length, int32_t thickness);
/// Takes `bar` out of gApp.bars, deletes it and lays the frame out again.
void DeleteBar(CBar* bar);

/// Handles every waiting message.
void Pump();
/// Handles messages for `milliseconds`.
void PumpFor(uint32_t milliseconds);

}  // namespace uitest
