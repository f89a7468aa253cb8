// Every private window-message number of the framework, numbered from WM_APP + 1001 (0x83E9) up,
// and the list codes carried in WM_ZRF_COMMAND. Most numbers are fixed: other instances send
// some of them, and the program and its items rely on the rest. The messages that never leave the
// process take numbers nothing else uses; the check at the end keeps every number distinct, so a
// message can never be mistaken for another (a repaint for a quit).
#pragma once

#include <cstddef>
#include <cstdint>

namespace zrf {

/// First number of the framework's private messages (WM_APP + 1001); the private range ends
/// below 0xC000, where registered messages start.
constexpr uint32_t kFirstPrivateMessage = 0x83E9;
constexpr uint32_t kPrivateMessageEnd = 0xC000;

// Fixed numbers.
constexpr uint32_t WM_ZRF_WINDOWMENU = 0x83EA;       ///< build the window menu of a framework window
constexpr uint32_t WM_ZRF_SAVEDATA = 0x83EC;         ///< the main window saves the program's data
constexpr uint32_t WM_ZRF_COMMAND = 0x83ED;          ///< wParam: code << 16 | command id
constexpr uint32_t WM_ZRF_SETPOPUP = 0x83EE;         ///< lParam: the menu whose popup opens, or 0
constexpr uint32_t WM_ZRF_GETPOPUP = 0x83EF;         ///< returns the menu open from the window
constexpr uint32_t WM_ZRF_GETMENUIDS = 0x83F0;       ///< wParam: command id; returns its menu's ids
constexpr uint32_t WM_ZRF_TRAYNOTIFY = 0x83F1;       ///< notification-area icon callback
constexpr uint32_t WM_ZRF_HELP = 0x83FA;             ///< wParam: a help topic name or 0
constexpr uint32_t WM_ZRF_PAINTBACKGROUND = 0x83FC;  ///< wParam: DC, lParam: origin
constexpr uint32_t WM_ZRF_ACTIVATE = 0x83FF;         ///< a second start asks this instance to show
constexpr uint32_t WM_ZRF_TASKBARCREATED = 0x8401;   ///< the desktop shell was restarted
constexpr uint32_t WM_ZRF_ITEMDBLCLK = 0x8404;       ///< wParam: buttons << 16 | command id
constexpr uint32_t WM_ZRF_QUIT = 0x8405;             ///< end the program (also from another instance)
constexpr uint32_t WM_ZRF_RESTART = 0x8406;          ///< restart (from an instance that restarts)
constexpr uint32_t WM_ZRF_GETITEMTEXT = 0x8407;      ///< wParam: command id, lParam: text piece
constexpr uint32_t WM_ZRF_DROPDOWN = 0x8408;         ///< wParam: command id of a split item
constexpr uint32_t WM_ZRF_DRAGOUT = 0x840A;          ///< wParam: command id
constexpr uint32_t WM_ZRF_DISPLAYCHANGED = 0x840C;   ///< the virtual screen changed
constexpr uint32_t WM_ZRF_DPICHANGED = 0x840D;       ///< wParam: the new DPI

// Chosen numbers, for messages that stay inside the process.
constexpr uint32_t WM_ZRF_MODALDEPTH = 0x83EB;    ///< wParam: the new modal depth
constexpr uint32_t WM_ZRF_BARSHOWN = 0x83F7;      ///< wParam: shown
constexpr uint32_t WM_ZRF_MENUMODE = 0x83F8;      ///< keyboard menu mode of the message loop
constexpr uint32_t WM_ZRF_STYLECHANGED = 0x83F9;  ///< wParam: style, lParam: extended style
constexpr uint32_t WM_ZRF_LAYOUTCLIENT = 0x83FB;  ///< the WM_SIZE parameters
constexpr uint32_t WM_ZRF_TABORDER = 0x83FE;      ///< lParam: the tab-stop list, may be reordered
constexpr uint32_t WM_ZRF_SHOWNORMAL = 0x8400;
constexpr uint32_t WM_ZRF_DRAWICON = 0x8402;
/// lParam: the MSG of a key for a standard dialog, offered to the outermost one before the dialog
/// manager sees it; the dialog answers (DWLP_MSGRESULT) nonzero when it took the key.
constexpr uint32_t WM_ZRF_DIALOGKEY = 0x840E;

// List codes, in the high word of WM_ZRF_COMMAND (the low word is the command id).
constexpr uint32_t ZRF_LN_SORT = 0x83F2;         ///< lParam: sort column
constexpr uint32_t ZRF_LN_COLUMNWIDTH = 0x83F3;  ///< lParam: column
constexpr uint32_t ZRF_LN_SELCHANGE = 0x83F4;
constexpr uint32_t ZRF_LN_DBLCLK = 0x83F5;  ///< lParam: mouse position
constexpr uint32_t ZRF_LN_SLOWCLICK = 0x83F6;
constexpr uint32_t ZRF_LN_RCLICK = 0x83FD;       ///< lParam: mouse position
constexpr uint32_t ZRF_LN_LBUTTONDOWN = 0x8409;  ///< lParam: mouse position
constexpr uint32_t ZRF_LN_KEYDOWN = 0x840B;      ///< lParam: virtual key; the owner returns 1 when it took it

namespace detail {

constexpr uint32_t kAllPrivateNumbers[] = {
    WM_ZRF_WINDOWMENU, WM_ZRF_SAVEDATA,       WM_ZRF_COMMAND,
    WM_ZRF_SETPOPUP,   WM_ZRF_GETPOPUP,       WM_ZRF_GETMENUIDS,
    WM_ZRF_TRAYNOTIFY, WM_ZRF_HELP,           WM_ZRF_PAINTBACKGROUND,
    WM_ZRF_ACTIVATE,   WM_ZRF_TASKBARCREATED, WM_ZRF_ITEMDBLCLK,
    WM_ZRF_QUIT,       WM_ZRF_RESTART,        WM_ZRF_GETITEMTEXT,
    WM_ZRF_DROPDOWN,   WM_ZRF_DRAGOUT,        WM_ZRF_DISPLAYCHANGED,
    WM_ZRF_DPICHANGED, WM_ZRF_MODALDEPTH,     WM_ZRF_BARSHOWN,
    WM_ZRF_MENUMODE,   WM_ZRF_STYLECHANGED,   WM_ZRF_LAYOUTCLIENT,
    WM_ZRF_TABORDER,   WM_ZRF_SHOWNORMAL,     WM_ZRF_DRAWICON,
    WM_ZRF_DIALOGKEY,  ZRF_LN_SORT,           ZRF_LN_COLUMNWIDTH,
    ZRF_LN_SELCHANGE,  ZRF_LN_DBLCLK,         ZRF_LN_SLOWCLICK,
    ZRF_LN_RCLICK,     ZRF_LN_LBUTTONDOWN,    ZRF_LN_KEYDOWN,
};

constexpr bool AllDistinctAndPrivate() {
  constexpr size_t count = sizeof kAllPrivateNumbers / sizeof kAllPrivateNumbers[0];
  for (size_t i = 0; i < count; ++i) {
    if (kAllPrivateNumbers[i] < kFirstPrivateMessage || kAllPrivateNumbers[i] >= kPrivateMessageEnd)
      return false;
    for (size_t j = i + 1; j < count; ++j) {
      if (kAllPrivateNumbers[i] == kAllPrivateNumbers[j]) return false;
    }
  }
  return true;
}

}  // namespace detail

static_assert(detail::AllDistinctAndPrivate(),
              "every framework message number and list code is distinct and in the private range");

}  // namespace zrf
