// What the plant dialog's self-drawn controls paint.
#include "app/dialog_control_paint.h"

#include <algorithm>
#include <cmath>

namespace plantapp {
namespace {

// An etched frame is two one-pixel lines, at every DPI.
constexpr int32_t kFrameWidth = 2;

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }

}  // namespace

LevelBarParts LevelBarPartsFor(const ZrfRect& client, double level) {
  if (!(level >= 0.0)) level = 0.0;
  level = std::min(level, 1.0);
  const int64_t width = int64_t{client.right} - client.left;
  // level lies in 0..1 and width in the 32-bit range, so the product converts without overflow.
  const int64_t reach = static_cast<int64_t>(static_cast<double>(width) * level) + 1;
  const int32_t right = static_cast<int32_t>(std::min<int64_t>(int64_t{client.left} + reach, client.right));
  LevelBarParts parts;
  parts.kept = ZrfRect{client.left, client.top, right, client.bottom};
  parts.fill = ZrfRect{client.left, client.top + 1, right, client.bottom};
  return parts;
}

ZrfRect PatchRect(const ZrfRect& client) {
  return ZrfRect{client.left + kFrameWidth, client.top + kFrameWidth, client.right - kFrameWidth,
                 client.bottom - kFrameWidth};
}

uint32_t LightGrey(double light) {
  if (!(light >= 0.0)) light = 0.0;
  const uint32_t grey = static_cast<uint32_t>(std::sqrt(std::sqrt(std::min(light, 1.0))) * 255.0);
  return Rgb(grey, grey, grey);
}

uint32_t SwatchColour(const plant::StoredColour& colour) { return Rgb(colour.red, colour.green, colour.blue); }

uint32_t HealthColour(int32_t percent) {
  if (percent > 70) return Rgb(0, 230, 0);
  if (percent <= 30) return Rgb(230, 0, 0);
  return Rgb(230, 230, 0);
}

ZrfRect HealthFill(const ZrfRect& client, int32_t percent) {
  percent = std::clamp(percent, 0, 100);
  const int64_t width = int64_t{client.right} - client.left;
  return ZrfRect{client.left, client.top, static_cast<int32_t>(client.left + percent * width / 100), client.bottom};
}

}  // namespace plantapp
