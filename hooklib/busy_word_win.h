// The `busy` word's holder watch over the running system: processes by their ids, the painting
// desktop by its list view window.
#pragma once

#include "hooklib/busy_word.h"
#include "hooklib/shared_block.h"

namespace ostrel {

/// Watches the holders of `block`'s `busy` word. The block is borrowed for the watch's life.
class SystemHolderWatch final : public HolderWatch {
 public:
  explicit SystemHolderWatch(const OstrelSharedMem& block) : block_(block) {}
  /// GetCurrentProcessId.
  uint32_t OwnProcessId() override;
  /// True when no process has this id any more, or it has exited (a handle someone still holds
  /// keeps an ended process's id alive). Access denied means it runs.
  bool HasProcessEnded(uint32_t processId) override;
  /// True when `paintingView` is set and no longer a window.
  bool IsPainterGone() override;

 private:
  const OstrelSharedMem& block_;
};

}  // namespace ostrel
