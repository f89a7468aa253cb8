// The drag's pause.
#include "app/drag_pause.h"

namespace plantapp {

void DragPause::Start(uint32_t desktop, uint32_t nowMs) {
  dragging_ = true;
  desktop_ = desktop;
  lastHeardMs_ = nowMs;
}

void DragPause::Heard(uint32_t nowMs) {
  if (dragging_) {
    lastHeardMs_ = nowMs;
  }
}

bool DragPause::IsAbandoned(bool desktopAlive, uint32_t nowMs, uint32_t silenceMs) const {
  return dragging_ && (!desktopAlive || nowMs - lastHeardMs_ >= silenceMs);
}

}  // namespace plantapp
