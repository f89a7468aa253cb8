// The plant worker's loop: wait for work, simulate the pending steps in chunks, save the plant
// file, tell an open dialog, render unless told only to save, and start again. Platform-free: the
// slow jobs, the events and the plant-data lock come from the caller (the plant program's Win32
// half, or a test).
//
// A pass clears the work event at its end unless a Redraw arrived during it; a Redraw stored
// between that check and the clearing sets the event again, so no Redraw is ever lost. A large
// backlog is simulated in chunks with a check for Quit and for a pause between them; the chunks
// grow the same plant as one long run.
#pragma once

#include <cstdint>
#include <mutex>

#include "app/worker_handoff.h"

namespace plantapp {

/// Steps simulated between two checks for Quit and for a pause.
inline constexpr uint32_t kWorkerChunkSteps = 1000;

/// The slow work of a pass.
class WorkerJobs {
 public:
  virtual ~WorkerJobs() = default;
  /// Runs `steps` growth steps (0 only brings the node frames up to date). Called with the
  /// plant-data lock held.
  virtual void Simulate(uint32_t steps) = 0;
  /// Saves the plant file; a failure is left for the next pass. Called with the plant-data lock
  /// held.
  virtual void Save() = 0;
  /// Tells an open plant dialog, synchronously, that the plant's values changed.
  virtual void NotifyDialog() = 0;
  /// Whether the screen allows a render now.
  [[nodiscard]] virtual bool IsRenderAllowed() = 0;
  /// Renders and hands the picture over; gives up at the next node when the command word is not
  /// Run, and waits before the hand-over while the worker is paused.
  virtual void Render() = 0;
};

/// What the loop works with; all borrowed for the loop's life.
struct WorkerLoopParts {
  WorkerWords& words;
  WorkerSignal& work;     ///< set: there is work to do
  WorkerSignal& running;  ///< set: not paused (a drag pauses the worker)
  WorkerJobs& jobs;
  std::mutex& plantLock;  ///< held for each chunk of simulation and for each save
  uint32_t chunkSteps = kWorkerChunkSteps;
};

/// Runs the worker until Quit. Returns the thread's exit code: 0 after Quit, with the plant saved
/// once more; 1 when waiting for an event failed, without saving.
[[nodiscard]] int RunWorkerLoop(const WorkerLoopParts& parts);

/// Pauses the worker at its next safe point: before a chunk of simulation, a save, a render, or
/// the hand-over of a rendered picture. UI thread, at the start of a drag.
void PauseWorker(WorkerSignal& running);

/// Lets a paused worker go on. UI thread, at the end of a drag.
void ResumeWorker(WorkerSignal& running);

}  // namespace plantapp
