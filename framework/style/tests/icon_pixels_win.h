// For icon tests: an icon's pixels as a vector. Test programs only.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/style/icon_win.h"

/// The colour (or, with `mask`, the mask) pixels of `icon`; empty, with a test failure, when they
/// cannot be read.
inline std::vector<uint32_t> IconPixels(HICON icon, bool mask) {
  std::vector<uint32_t> pixels(256 * 256);
  size_t count = 0;
  EXPECT_TRUE(ReadIconPixels(icon, mask, pixels.data(), pixels.size(), &count));
  pixels.resize(count);
  return pixels;
}
