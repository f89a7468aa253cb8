// Window flags of a framework window and the window styles they give. The style constants are
// the system's values, repeated here so this file needs no system header.
#pragma once

#include <cstdint>

namespace zrf {

enum WindowFlags : uint32_t {
  kWindowTaskbarButton = 0x1,
  kWindowSizable = 0x2,
  kWindowKeepOnResolutionChange = 0x4,
  kWindowNoCaption = 0x8,
  kWindowSmallCaption = 0x10,
  kWindowBarPositionsLocked = 0x20,
  kWindowBarSizesLocked = 0x40,
  kWindowPositionLocked = 0x80,
  kWindowAlwaysOnTop = 0x100,
  kWindowMaximized = 0x200,
  kWindowMain = 0x400,
  kWindowBorderless = 0x800,
  kWindowSizeLocked = 0x1000,
  kWindowAcceptsFiles = 0x2000,
  kWindowStaysPut = 0x10000000,
};

namespace ws {
constexpr uint32_t kPopup = 0x80000000;
constexpr uint32_t kClipSiblings = 0x04000000;
constexpr uint32_t kClipChildren = 0x02000000;
constexpr uint32_t kMaximize = 0x01000000;
constexpr uint32_t kCaption = 0x00C00000;
constexpr uint32_t kBorder = 0x00800000;
constexpr uint32_t kSysMenu = 0x00080000;
constexpr uint32_t kThickFrame = 0x00040000;
constexpr uint32_t kMinimizeBox = 0x00020000;
constexpr uint32_t kMaximizeBox = 0x00010000;
constexpr uint32_t kExTopmost = 0x00000008;
constexpr uint32_t kExAcceptFiles = 0x00000010;
constexpr uint32_t kExToolWindow = 0x00000080;
constexpr uint32_t kExAppWindow = 0x00040000;
}  // namespace ws

struct WindowStyles {
  uint32_t style = 0;
  uint32_t exStyle = 0;
  bool operator==(const WindowStyles&) const = default;
};

/// The window style and extended style a framework window has for its flags.
WindowStyles GetStyles(uint32_t flags);

}  // namespace zrf
