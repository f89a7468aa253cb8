// The worker's events as Win32 manual-reset kernel events.
#pragma once

#include <windows.h>

#include <string>

#include "app/worker_handoff.h"

namespace plantapp {

/// A WorkerSignal on a kernel event it owns; unusable until Create succeeds.
class KernelEvent final : public WorkerSignal {
 public:
  KernelEvent() = default;
  KernelEvent(const KernelEvent&) = delete;
  KernelEvent& operator=(const KernelEvent&) = delete;
  ~KernelEvent() override;

  /// Creates the event, named when `name` is not empty; false when the system refuses (a name
  /// too long, or taken by another kind of object).
  [[nodiscard]] bool Create(const std::string& name, bool initiallySet);
  [[nodiscard]] bool IsValid() const { return handle_ != nullptr; }
  /// Closes the event; harmless when it was never made.
  void Close();

  void Set() override;
  void Reset() override;
  /// Waits without a time-out; false when the wait failed (the handle is not a usable event).
  [[nodiscard]] bool Wait() override;
  [[nodiscard]] bool IsSet() override;

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace plantapp
