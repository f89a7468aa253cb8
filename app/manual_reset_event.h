// A manual-reset event on the standard library's mutex and condition variable: the worker's events
// in native builds and tests. The plant program uses kernel events (kernel_event_win.h).
#pragma once

#include <condition_variable>
#include <mutex>

#include "app/worker_handoff.h"

namespace plantapp {

/// A WorkerSignal that any thread may set, reset and wait on.
class ManualResetEvent final : public WorkerSignal {
 public:
  explicit ManualResetEvent(bool initiallySet) : set_(initiallySet) {}
  void Set() override;
  void Reset() override;
  /// Waits without a time-out; never fails.
  [[nodiscard]] bool Wait() override;
  [[nodiscard]] bool IsSet() override;

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool set_;
};

}  // namespace plantapp
