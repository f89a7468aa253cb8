#include "framework/windows/color_swatch_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/files/settings_record.h"
#include "framework/ui/window_menu.h"

namespace {

constexpr int32_t kSwatchSize = 16;
constexpr int32_t kSwatchInset = 4;
constexpr int32_t kSwatchFrame = 3;  // the palette's shadow line

}  // namespace

int32_t CustomColorOfCommand(uint16_t commandId) {
  switch (commandId) {
    case zrf::kCmdColorBackground:
      return kColorBackground;
    case zrf::kCmdColorFocus:
      return kColorFocus;
    case zrf::kCmdColorText:
      return kColorText;
    case zrf::kCmdColorHighlightText:
      return kColorHighlightText;
    default:
      return -1;
  }
}

LRESULT DrawColorSwatch(WPARAM wParam, LPARAM lParam) {
  auto* request = reinterpret_cast<DrawIconRequest*>(lParam);
  if (request == nullptr) return 1;
  const int32_t color = CustomColorOfCommand(static_cast<uint16_t>(request->commandId));
  if (color < 0) return 1;
  RECT& r = request->rect;
  if (IsRectEmpty(&r)) {
    r = {0, 0, kSwatchSize, kSwatchSize};
    return 0;
  }
  HDC dc = reinterpret_cast<HDC>(wParam);
  RECT inside;
  DeflateRect(r, &inside, kSwatchInset);
  gApp.style.FillRect(dc, inside, gApp.settings.customColors[color]);
  gApp.style.FrameRect(dc, inside, gApp.style.palette[kSwatchFrame]);
  return 0;
}
