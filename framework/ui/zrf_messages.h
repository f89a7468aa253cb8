// Private window messages of framework windows and dialogs. All lie in 0x83E0-0x83FF, above
// WM_APP, so they cannot collide with the system's messages or the program's own WM_USER range.
#pragma once

#include <cstdint>

namespace zrf {

constexpr uint32_t WM_ZRF_MODALDEPTH = 0x83E0;    ///< wParam: the new modal depth
constexpr uint32_t WM_ZRF_STYLECHANGED = 0x83E1;  ///< wParam: style, lParam: extended style
constexpr uint32_t WM_ZRF_LAYOUTCLIENT = 0x83E2;  ///< the WM_SIZE parameters
constexpr uint32_t WM_ZRF_TABORDER = 0x83E3;      ///< lParam: the tab-stop list, may be reordered
constexpr uint32_t WM_ZRF_SHOWNORMAL = 0x83E4;
constexpr uint32_t WM_ZRF_DRAWICON = 0x83E5;
constexpr uint32_t WM_ZRF_WINDOWMENU = 0x83EA;
constexpr uint32_t WM_ZRF_COMMAND = 0x83ED;
constexpr uint32_t WM_ZRF_SETPOPUP = 0x83EE;
constexpr uint32_t WM_ZRF_GETPOPUP = 0x83EF;
constexpr uint32_t WM_ZRF_HELP = 0x83FA;

}  // namespace zrf
