// The gate of notices that a thread opens on its own, such as the update check's "new version"
// window: while a dialog that must stay in front is open (a plant's welcome at its first start), it
// holds the gate, and such a notice waits until the last hold is released. Platform-free.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class NoticeGate {
 public:
  /// Adds a hold; holds nest, and the gate opens when each has been released.
  void Hold();
  /// Releases one hold; releasing more than were made leaves the gate open.
  void Release();
  /// Waits while the gate is held and `cancel` is 0. True when the notice may open now; false
  /// when cancel was raised. Whoever raises it calls Wake().
  [[nodiscard]] bool WaitForTurn(const std::atomic<uint8_t>& cancel);
  /// Has every waiter look at its cancel flag again.
  void Wake();

 private:
  std::mutex lock_;
  std::condition_variable turn_;
  int32_t holds_ = 0;
};

/// The process's gate.
[[nodiscard]] NoticeGate& ProcessNoticeGate();

/// One hold on a gate for as long as it lives, or until Release.
class NoticeHold {
 public:
  explicit NoticeHold(NoticeGate& gate) : gate_(&gate) { gate.Hold(); }
  ~NoticeHold() { Release(); }
  NoticeHold(const NoticeHold&) = delete;
  NoticeHold& operator=(const NoticeHold&) = delete;

  void Release() {
    if (gate_ != nullptr) gate_->Release();
    gate_ = nullptr;
  }

 private:
  NoticeGate* gate_;
};
