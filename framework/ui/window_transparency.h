// The alpha of a framework window's transparency setting.
#pragma once

#include <cstdint>

/// Layered-window alpha for a transparency of `percent` (limited to 0-100):
/// (100 - percent) * 255 / 100, integer division; 30 percent gives 178.
constexpr uint8_t TransparencyAlpha(int32_t percent) {
  int32_t limited = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
  return uint8_t((100 - limited) * 255 / 100);
}
