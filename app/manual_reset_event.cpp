// The portable manual-reset event.
#include "app/manual_reset_event.h"

namespace plantapp {

void ManualResetEvent::Set() {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    set_ = true;
  }
  changed_.notify_all();
}

void ManualResetEvent::Reset() {
  const std::lock_guard<std::mutex> hold(lock_);
  set_ = false;
}

bool ManualResetEvent::Wait() {
  std::unique_lock<std::mutex> hold(lock_);
  changed_.wait(hold, [this] { return set_; });
  return true;
}

bool ManualResetEvent::IsSet() {
  const std::lock_guard<std::mutex> hold(lock_);
  return set_;
}

}  // namespace plantapp
