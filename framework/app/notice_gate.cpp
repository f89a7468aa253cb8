// The notice gate; see notice_gate.h.
#include "framework/app/notice_gate.h"

void NoticeGate::Hold() {
  const std::lock_guard<std::mutex> hold(lock_);
  ++holds_;
}

void NoticeGate::Release() {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    if (holds_ > 0) --holds_;
  }
  turn_.notify_all();
}

bool NoticeGate::WaitForTurn(const std::atomic<uint8_t>& cancel) {
  std::unique_lock<std::mutex> hold(lock_);
  turn_.wait(hold, [&] { return holds_ == 0 || cancel.load() != 0; });
  return cancel.load() == 0;
}

void NoticeGate::Wake() {
  // Taking the lock orders the wake after a waiter's test of its flag: without it, a flag raised
  // between that test and the wait would wake nobody.
  { const std::lock_guard<std::mutex> hold(lock_); }
  turn_.notify_all();
}

NoticeGate& ProcessNoticeGate() {
  // Never destroyed: a thread may still wait at the gate, and an exit handler wake it, while the
  // process's static objects go.
  static NoticeGate& gate = *new NoticeGate;
  return gate;
}
