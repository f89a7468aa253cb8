// The control message's actions and the daily count.
#include "framework/app/control_window.h"

#include "framework/base/zrf_messages.h"

ControlAction ControlActionFor(uint32_t code, uint32_t crc, uint32_t ownCrc) {
  if (crc != ownCrc) return ControlAction::Ignore;
  switch (code) {
    case zrf::WM_ZRF_ACTIVATE:
      return ControlAction::Activate;
    case zrf::WM_ZRF_QUIT:
      return ControlAction::Quit;
    case zrf::WM_ZRF_RESTART:
      return ControlAction::Restart;
    default:
      break;
  }
  if (code < zrf::kFirstPrivateMessage || code >= zrf::kPrivateMessageEnd) return ControlAction::Ignore;
  return ControlAction::Forward;
}

bool DailyJobClock::Tick() {
  ++ticks_;
  if (ticks_ <= 23) return false;
  ticks_ = 0;
  return true;
}
