// How the UI thread hands work to the plant's worker thread: the command word, the pending-step
// counter, the render-pending flag, the idle flag, and the two events the worker waits on.
// Platform-free: the events are an interface with a Win32 kernel-event half (kernel_event_win.h)
// and a portable half (manual_reset_event.h).
#pragma once

#include <atomic>
#include <cstdint>

namespace plantapp {

/// What the worker is told to do; stored in WorkerWords::command.
enum class WorkerCommand : int32_t {
  Run = 0,     ///< simulate the pending steps, save, render
  Redraw = 1,  ///< the picture being rendered is stale: abandon it and make another pass
  Quit = 2,    ///< leave the loop, save, end the thread
};

/// The words the UI thread and the worker share. Each is written whole with atomic operations;
/// the work event orders a request before the pass that serves it.
struct WorkerWords {
  /// A WorkerCommand. The renderer reads it before every node and stops when it is not Run.
  std::atomic<int32_t> command{static_cast<int32_t>(WorkerCommand::Run)};
  /// Steps requested but not yet simulated; requests add, the worker subtracts what it simulated.
  std::atomic<int32_t> pendingSteps{0};
  /// 1 from every request until a render has handed its picture over.
  std::atomic<uint8_t> renderPending{1};
  /// 1 while the worker waits for work.
  std::atomic<uint8_t> idle{0};
};

/// A manual-reset event: once set it stays set until reset.
class WorkerSignal {
 public:
  virtual ~WorkerSignal() = default;
  virtual void Set() = 0;
  virtual void Reset() = 0;
  /// Waits until the event is set; false when the wait itself failed.
  [[nodiscard]] virtual bool Wait() = 0;
  /// Whether the event is set now, without waiting.
  [[nodiscard]] virtual bool IsSet() = 0;
};

/// The command word as a WorkerCommand.
[[nodiscard]] WorkerCommand CommandOf(const WorkerWords& words);

/// Hands work to the worker (UI thread only): records `command`, adds `steps` (saturating at
/// INT32_MAX), marks a render as pending and sets the work event. A Run request never replaces a
/// Redraw or Quit that has not been served yet, and a Redraw never replaces a Quit.
void RequestWorker(WorkerWords& words, WorkerSignal& work, int32_t steps, WorkerCommand command);

/// Tells the worker to end: Quit, and both events set so that neither a wait for work nor a
/// pause holds it.
void RequestWorkerQuit(WorkerWords& words, WorkerSignal& work, WorkerSignal& running);

}  // namespace plantapp
