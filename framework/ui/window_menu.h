// The window menu of a framework window: its entries (the window's bars, then the framework's
// commands) and which of them are ticked and enabled for the window's state. Platform-free; the
// window applies the marks to the command table and opens the menu (window_menu_win.cpp).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zrf {

/// Room for the menu's ids, its end mark included.
constexpr int32_t kWindowMenuSize = 64;

/// The framework commands of the window menu.
constexpr uint16_t kWindowMenuCommand = 0xF105;  ///< the menu itself, given the ids below
constexpr uint16_t kCmdAlwaysOnTop = 0xF110;
constexpr uint16_t kCmdTaskbarButton = 0xF111;
constexpr uint16_t kCmdCaptionMenu = 0xF120;
constexpr uint16_t kCmdCaptionNormal = 0xF121;
constexpr uint16_t kCmdCaptionSmall = 0xF122;
constexpr uint16_t kCmdCaptionNone = 0xF123;
constexpr uint16_t kCmdBorderless = 0xF124;
constexpr uint16_t kCmdColorMenu = 0xF130;
constexpr uint16_t kCmdSchemeNone = 0xF131;
constexpr uint16_t kCmdSchemeDefault = 0xF132;
constexpr uint16_t kCmdSchemeCustom = 0xF133;
constexpr uint16_t kCmdColorBackground = 0xF134;
constexpr uint16_t kCmdColorFocus = 0xF135;
constexpr uint16_t kCmdColorText = 0xF136;
constexpr uint16_t kCmdColorHighlightText = 0xF137;
constexpr uint16_t kCmdFontMenu = 0xF140;
constexpr uint16_t kCmdFontDefault = 0xF141;
constexpr uint16_t kCmdFontCustom = 0xF142;
constexpr uint16_t kCmdLockMenu = 0xF150;
constexpr uint16_t kCmdLockBarPositions = 0xF151;
constexpr uint16_t kCmdLockBarSizes = 0xF152;
constexpr uint16_t kCmdLockPosition = 0xF153;
constexpr uint16_t kCmdLockSize = 0xF154;
constexpr uint16_t kCmdLockAll = 0xF155;
constexpr uint16_t kCmdKeepOnResolution = 0xF156;
constexpr uint16_t kCmdTransparencyMenu = 0xF160;
constexpr uint16_t kCmdTransparencyOff = 0xF161;  ///< 0xF161 + n: n x 10 percent, up to 0xF16A
constexpr uint16_t kCmdTransparency90 = 0xF16A;
constexpr uint16_t kCmdGhost = 0xF16B;

/// One bar of the window.
struct WindowMenuBar {
  uint16_t id;
  bool shown;
};

/// The window's state the menu shows.
struct WindowMenuState {
  uint32_t flags;        ///< window flags
  int32_t transparency;  ///< percent
  bool ghost;
  uint8_t colorScheme;   ///< 0 none, 1 default, 2 custom
  bool customFace;       ///< a UI font face of the user's is set
  std::span<const WindowMenuBar> bars;
};

/// A tick or an enabling of one command.
struct CommandMark {
  uint16_t id;
  bool on;
};

/// The menu to open.
struct WindowMenuPlan {
  uint16_t ids[kWindowMenuSize];  ///< ended by 0xFFFF
  int32_t count;                  ///< ids before the end mark
  std::vector<CommandMark> checks;
  std::vector<CommandMark> enables;
};

/// The window menu for `state`: the bars' ids (as many as leave room for the rest), the separator
/// 0xF000 when there is a bar, then 0xF110, 0xF111 and the sub-menus 0xF120 to 0xF160. Ticks: each
/// bar while shown, the flags' commands, the caption style, the colour scheme, the locks (0xF155
/// when all four are set), the font, the transparency step and ghost; 0xF151 and 0xF152 are
/// enabled only with bars, ghost only while the window is transparent.
WindowMenuPlan PlanWindowMenu(const WindowMenuState& state);

}  // namespace zrf
