// The window menu of a framework window: building its entries and marks (window_menu.h) and
// carrying out its commands: on top, taskbar button, caption style, colour scheme and custom
// colours, interface font, locks, transparency and ghost, and showing or hiding a bar.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/app/restart_mode.h"
#include "framework/app/zrf_app_win.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/window_menu.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/color_swatch_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr uint16_t kRestartQuestion = 0xF00B;
constexpr uint32_t kRestartQuestionStyle = 0x328;
constexpr int32_t kOk = 1;
constexpr uint32_t kAllLocks = zrf::kWindowBarPositionsLocked | zrf::kWindowBarSizesLocked |
                               zrf::kWindowPositionLocked | zrf::kWindowSizeLocked;
constexpr uint32_t kLockBits[] = {zrf::kWindowBarPositionsLocked, zrf::kWindowBarSizesLocked,
                                  zrf::kWindowPositionLocked, zrf::kWindowSizeLocked};

// Asks whether to restart for the new font; OK restarts. True when it did.
bool RestartForFont(HWND owner) {
  if (gApp.MessageDialog(owner, nullptr, "%s", kRestartQuestionStyle, 0, gApp.strings.Text(kRestartQuestion, 0)) !=
      kOk) {
    return false;
  }
  gApp.RequestRestart(kRestartAsNow, nullptr, 0);
  return true;
}

void ChooseCustomColor(HWND owner, int32_t color) {
  COLORREF custom[16] = {};
  for (int32_t i = 0; i < kSettingsColorCount; ++i) custom[i] = gApp.settings.customColors[i];
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = gApp.settings.customColors[color];
  choose.lpCustColors = custom;
  choose.Flags = CC_FULLOPEN | CC_RGBINIT;
  gApp.ChangeModalDepth(true);
  const BOOL chosen = ChooseColorA(&choose);
  gApp.ChangeModalDepth(false);
  if (!chosen) return;
  gApp.settings.customColors[color] = choose.rgbResult;
  gApp.SetColorScheme(kColorSchemeCustom);
}

// The interface font: the size is kept in pixels at 96 DPI, so the dialog's height at the
// window's DPI is that size scaled, and its answer is scaled back.
void ChooseInterfaceFont(HWND owner) {
  const int32_t dpi = DpiForWindow(owner);
  LOGFONTA font{};
  // A face name is at most 31 characters; the settings hold 260, perhaps without an end.
  std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%.*s", LF_FACESIZE - 1, gApp.settings.fontFace);
  font.lfHeight = -MulDiv(gApp.settings.fontSize, dpi, 96);
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  gApp.ChangeModalDepth(true);
  const BOOL chosen = ChooseFontA(&choose);
  gApp.ChangeModalDepth(false);
  if (!chosen) return;
  std::memset(gApp.settings.fontFace, 0, sizeof gApp.settings.fontFace);
  static_assert(kSettingsFontFaceLength == LF_FACESIZE - 1);
  std::snprintf(gApp.settings.fontFace, sizeof gApp.settings.fontFace, "%.*s", LF_FACESIZE - 1, font.lfFaceName);
  const int32_t height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  // Within the sizes the settings accept when read back, or the next start would drop the font.
  gApp.settings.fontSize =
      std::clamp<int32_t>(MulDiv(height, 96, dpi > 0 ? dpi : 96), kSettingsFontSizeMin, kSettingsFontSizeMax);
  RestartForFont(owner);
}

}  // namespace

int32_t CZrfWindow::BuildWindowMenu() {
  std::vector<zrf::WindowMenuBar> bars;
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    const CBar* bar = *gApp.bars.GetAt(i);
    if (bar->windowIndex == index) bars.push_back({bar->barId, (bar->barFlags & kBarShown) != 0});
  }
  const zrf::WindowMenuState state{flags, transparency, ghost, gApp.settings.colorScheme,
                                   gApp.settings.fontFace[0] != '\0', bars};
  const zrf::WindowMenuPlan plan = zrf::PlanWindowMenu(state);
  std::memcpy(windowMenuIds, plan.ids, sizeof windowMenuIds);
  bool changed = false;
  for (const zrf::CommandMark& mark : plan.checks) (void)gApp.commands.SetChecked(mark.id, mark.on, &changed);
  for (const zrf::CommandMark& mark : plan.enables) (void)gApp.commands.Enable(mark.id, mark.on, &changed);
  CommandRecord menu;
  if (gApp.GetCommand(zrf::kWindowMenuCommand, &menu) == 0) {
    menu.data = reinterpret_cast<uintptr_t>(windowMenuIds);
    (void)gApp.commands.Set(zrf::kWindowMenuCommand, menu);
  }
  return plan.count;
}

bool CZrfWindow::OnCommand(uint16_t id) {
  using namespace zrf;
  if (id >= kCmdTransparencyOff && id <= kCmdTransparency90) {
    SetTransparency((id - kCmdTransparencyOff) * 10);
    return true;
  }
  if (id >= kCmdLockBarPositions && id <= kCmdLockSize) {
    ToggleFlag(kLockBits[id - kCmdLockBarPositions]);
    return true;
  }
  if (const int32_t color = CustomColorOfCommand(id); color >= 0) {
    ChooseCustomColor(window, color);
    return true;
  }
  switch (id) {
    case kCmdAlwaysOnTop:
      flags ^= kWindowAlwaysOnTop;
      SetWindowPos(window, (flags & kWindowAlwaysOnTop) != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return true;
    case kCmdTaskbarButton:
      ToggleTaskbarButton();
      return true;
    case kCmdCaptionNormal:
      SetCaptionStyle(0);
      return true;
    case kCmdCaptionSmall:
      SetCaptionStyle(kWindowSmallCaption);
      return true;
    case kCmdCaptionNone:
      SetCaptionStyle(kWindowNoCaption);
      return true;
    case kCmdBorderless:
      SetCaptionStyle(kWindowBorderless);
      return true;
    case kCmdSchemeNone:
    case kCmdSchemeDefault:
    case kCmdSchemeCustom:
      gApp.SetColorScheme(static_cast<uint8_t>(id - kCmdSchemeNone));
      return true;
    case kCmdFontDefault:
      if (gApp.settings.fontFace[0] != '\0' && RestartForFont(window)) gApp.settings.fontFace[0] = '\0';
      return true;
    case kCmdFontCustom:
      ChooseInterfaceFont(window);
      return true;
    case kCmdLockAll: {
      const bool allSet = (flags & kAllLocks) == kAllLocks;
      for (uint32_t bit : kLockBits) SetFlag(bit, !allSet);
      return true;
    }
    case kCmdKeepOnResolution:
      flags ^= kWindowKeepOnResolutionChange;
      return true;
    case kCmdGhost:
      SetGhost(!ghost);
      return true;
    default:
      break;
  }
  CBar* bar = gApp.FindBar(id);
  if (bar == nullptr) return false;
  gApp.ShowBar(bar, (bar->barFlags & kBarShown) == 0);
  return true;
}
