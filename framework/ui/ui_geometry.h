// Sizes and control places for the platform-free halves of windows and dialogs; rectangles are
// the framework's ZrfRect.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

namespace zrf {

/// The framework's one rectangle type.
using Rect = ::ZrfRect;

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Size&) const = default;
};

/// A control's place in its dialog's client area.
struct Place {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Place&) const = default;
};

}  // namespace zrf
