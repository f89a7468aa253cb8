// The plant's worker thread on Win32: its work event (named after the plant file), the running
// event that a drag resets, the thread with its priority, the clock tick that feeds it, and the
// orderly stop at shutdown.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/kernel_event_win.h"
#include "app/simulation_clock.h"
#include "app/worker_loop.h"

namespace plantapp {

/// How starting the worker went.
enum class WorkerStart {
  Started = 0,
  NoEvent,   ///< the work event could not be made (program message 30, code 9)
  NoThread,  ///< the thread could not be made
};

/// The worker of one plant process: made before the plant window, started once the plant is
/// registered, stopped at shutdown.
class PlantWorker {
 public:
  PlantWorker() = default;
  PlantWorker(const PlantWorker&) = delete;
  PlantWorker& operator=(const PlantWorker&) = delete;
  /// Stops the worker if it still runs.
  ~PlantWorker();

  /// The words and the running event, for the jobs (plant_worker_jobs_win.h) made before Start.
  [[nodiscard]] WorkerWords& Words() { return words_; }
  [[nodiscard]] WorkerSignal& Running() { return running_; }

  /// Creates the work event (set, so the first pass simulates `backlog` steps at once), then the
  /// thread running `jobs` (borrowed until Stop), at idle priority when `idlePriority`.
  [[nodiscard]] WorkerStart Start(const std::string& plantFileName, WorkerJobs& jobs, int32_t backlog,
                                  bool idlePriority);

  /// RequestWorker on this worker. UI thread.
  void Request(int32_t steps, WorkerCommand command);
  /// The clock timer's tick: the steps due since the last tick go to the worker. UI thread.
  void Tick(int64_t now, int32_t secondsPerStep);
  /// A drag starts: the worker stops at its next safe point. UI thread.
  void Pause();
  /// The drag has ended. UI thread.
  void Resume();
  /// THREAD_PRIORITY_IDLE, or normal.
  void SetIdlePriority(bool idle);
  /// True while the worker waits for work.
  [[nodiscard]] bool IsIdle() const { return words_.idle.load() != 0; }

  /// Tells the worker to quit and waits for it, answering messages sent to this thread meanwhile
  /// (the worker may be telling the plant dialog). Returns the thread's exit code (0 after its
  /// final save, 1 when its wait had failed); 0 when it never started. A second call returns the
  /// same code.
  int Stop();

 private:
  WorkerWords words_;
  KernelEvent work_;
  KernelEvent running_;
  ClockTicker ticker_;
  WorkerJobs* jobs_ = nullptr;
  HANDLE thread_ = nullptr;
  int exitCode_ = 0;

  static DWORD WINAPI WorkerThread(void* self);
};

}  // namespace plantapp
