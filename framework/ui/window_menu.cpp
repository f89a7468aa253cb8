#include "framework/ui/window_menu.h"

#include "framework/ui/window_styles.h"

namespace zrf {

namespace {

constexpr uint16_t kSeparator = 0xF000;
constexpr uint16_t kEnd = 0xFFFF;
constexpr uint16_t kFrameworkEntries[] = {kCmdAlwaysOnTop, kCmdTaskbarButton, kCmdCaptionMenu, kCmdColorMenu,
                                          kCmdFontMenu,    kCmdLockMenu,      kCmdTransparencyMenu};
constexpr int32_t kFrameworkEntryCount = sizeof kFrameworkEntries / sizeof kFrameworkEntries[0];
// The bars leave room for the separator, the framework's entries and the end mark.
constexpr int32_t kMaxBarEntries = kWindowMenuSize - 1 - kFrameworkEntryCount - 1;
constexpr uint32_t kAllLocks = kWindowBarPositionsLocked | kWindowBarSizesLocked | kWindowPositionLocked |
                               kWindowSizeLocked;

}  // namespace

WindowMenuPlan PlanWindowMenu(const WindowMenuState& s) {
  WindowMenuPlan plan{};
  auto add = [&plan](uint16_t id) { plan.ids[plan.count++] = id; };
  auto check = [&plan](uint16_t id, bool on) { plan.checks.push_back({id, on}); };

  for (const WindowMenuBar& bar : s.bars) {
    if (plan.count == kMaxBarEntries) break;
    add(bar.id);
    check(bar.id, bar.shown);
  }
  if (plan.count > 0) add(kSeparator);
  for (uint16_t id : kFrameworkEntries) add(id);
  plan.ids[plan.count] = kEnd;

  const uint32_t f = s.flags;
  check(kCmdAlwaysOnTop, (f & kWindowAlwaysOnTop) != 0);
  check(kCmdTaskbarButton, (f & kWindowTaskbarButton) != 0);
  check(kCmdCaptionNormal, (f & (kWindowNoCaption | kWindowSmallCaption | kWindowBorderless)) == 0);
  check(kCmdCaptionSmall, (f & kWindowSmallCaption) != 0);
  check(kCmdCaptionNone, (f & kWindowNoCaption) != 0);
  check(kCmdBorderless, (f & kWindowBorderless) != 0);
  for (int32_t scheme = 0; scheme < 3; ++scheme) {
    check(static_cast<uint16_t>(kCmdSchemeNone + scheme), s.colorScheme == scheme);
  }
  check(kCmdLockBarPositions, (f & kWindowBarPositionsLocked) != 0);
  check(kCmdLockBarSizes, (f & kWindowBarSizesLocked) != 0);
  check(kCmdLockPosition, (f & kWindowPositionLocked) != 0);
  check(kCmdLockSize, (f & kWindowSizeLocked) != 0);
  check(kCmdLockAll, (f & kAllLocks) == kAllLocks);
  check(kCmdKeepOnResolution, (f & kWindowKeepOnResolutionChange) != 0);
  check(kCmdFontDefault, !s.customFace);
  check(kCmdFontCustom, s.customFace);
  for (int32_t step = 0; step <= 9; ++step) {
    check(static_cast<uint16_t>(kCmdTransparencyOff + step), s.transparency == step * 10);
  }
  check(kCmdGhost, s.ghost);

  const bool hasBars = !s.bars.empty();
  plan.enables = {{kCmdLockBarPositions, hasBars}, {kCmdLockBarSizes, hasBars}, {kCmdGhost, s.transparency > 0}};
  return plan;
}

}  // namespace zrf
