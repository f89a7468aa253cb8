// The worker's pause while the user drags the plant's frame on the desktop. The desktop ends a
// drag with DragEnd; a desktop that dies in the middle of one never does, and the plant would
// neither grow nor save until it is shut down. So the pause also ends when the desktop that started
// the drag has gone (its list view no longer exists, or the plant re-hooked to a new one), or when
// no drag message has come for kDragSilenceMs. Platform-free; the plant window keeps one and asks
// it at every clock tick.
#pragma once

#include <cstdint>

namespace plantapp {

/// The longest a drag goes without a drag message before its pause ends. The desktop sends
/// nothing between the start and the end of a drag, so this is the longest a user may hold the
/// mouse button on a frame; no drag lasts a minute.
inline constexpr uint32_t kDragSilenceMs = 60000;

class DragPause {
 public:
  /// A drag starts on the desktop whose list view is `desktop` (its handle slot), at tick `nowMs`.
  void Start(uint32_t desktop, uint32_t nowMs);
  /// A drag message (a limit asked, the frame changed) came at `nowMs`; nothing without a drag.
  void Heard(uint32_t nowMs);
  /// The drag is over, ended or abandoned.
  void End() { dragging_ = false; }
  [[nodiscard]] bool IsDragging() const { return dragging_; }
  /// The list view of the drag's desktop.
  [[nodiscard]] uint32_t Desktop() const { return desktop_; }
  /// True when a drag runs that will never end: its desktop is gone (`desktopAlive` false), or it
  /// has been silent for `silenceMs` by tick `nowMs` (unsigned, right across the tick's wrap).
  [[nodiscard]] bool IsAbandoned(bool desktopAlive, uint32_t nowMs, uint32_t silenceMs) const;

 private:
  bool dragging_ = false;
  uint32_t desktop_ = 0;
  uint32_t lastHeardMs_ = 0;
};

}  // namespace plantapp
