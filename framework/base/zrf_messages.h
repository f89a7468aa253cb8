// Private window messages of framework windows and dialogs, numbered from WM_APP + 1001 (0x83E9)
// up. Messages whose numbers are fixed elsewhere keep them; the rest start at 0x8400, clear of
// every fixed number.
#pragma once

#include <cstdint>

namespace zrf {

constexpr uint32_t WM_ZRF_MODALDEPTH = 0x8400;    ///< wParam: the new modal depth
constexpr uint32_t WM_ZRF_STYLECHANGED = 0x8401;  ///< wParam: style, lParam: extended style
constexpr uint32_t WM_ZRF_LAYOUTCLIENT = 0x8402;  ///< the WM_SIZE parameters
constexpr uint32_t WM_ZRF_TABORDER = 0x8403;      ///< lParam: the tab-stop list, may be reordered
constexpr uint32_t WM_ZRF_SHOWNORMAL = 0x8404;
constexpr uint32_t WM_ZRF_DRAWICON = 0x8405;
constexpr uint32_t WM_ZRF_WINDOWMENU = 0x83EA;
constexpr uint32_t WM_ZRF_COMMAND = 0x83ED;
constexpr uint32_t WM_ZRF_SETPOPUP = 0x83EE;
constexpr uint32_t WM_ZRF_GETPOPUP = 0x83EF;
constexpr uint32_t WM_ZRF_HELP = 0x83FA;

}  // namespace zrf
