// Whether the worker may render: always with the follow-screen-mode option, otherwise only while
// the screen (the desktop list view's client area) has the size it had at start-up. The UI thread
// updates the sizes and the option; the worker and the renderer read them.
#pragma once

#include <atomic>
#include <cstdint>

namespace plantapp {

/// The screen sizes and the option that decide IsRenderAllowed.
struct RenderPermission {
  std::atomic<int32_t> startWidth{0};
  std::atomic<int32_t> startHeight{0};
  std::atomic<int32_t> width{0};
  std::atomic<int32_t> height{0};
  /// The plant option "follow screen mode".
  std::atomic<bool> followScreenMode{false};

  /// Sets the start-up size and the current size at once (start-up only).
  void StartAt(int32_t screenWidth, int32_t screenHeight);
  /// The screen's size after a display change.
  void ScreenChanged(int32_t screenWidth, int32_t screenHeight);
};

/// True with follow-screen mode on, or while the current screen size equals the start-up size.
[[nodiscard]] bool IsRenderAllowed(const RenderPermission& permission);

}  // namespace plantapp
