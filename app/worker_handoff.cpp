// The UI thread's side of the worker hand-off.
#include "app/worker_handoff.h"

#include <limits>

namespace plantapp {
namespace {

void AddSteps(std::atomic<int32_t>& pending, int32_t steps) {
  if (steps <= 0) {
    return;
  }
  int32_t current = pending.load();
  for (;;) {
    const int32_t room = std::numeric_limits<int32_t>::max() - (current > 0 ? current : 0);
    if (pending.compare_exchange_weak(current, current + (steps < room ? steps : room))) {
      return;
    }
  }
}

// Raises the command to `wanted` unless a stronger one stands (Run < Redraw < Quit): a tick must
// not erase a Redraw the worker has not seen yet, nor anything erase a Quit.
void RaiseCommand(std::atomic<int32_t>& command, WorkerCommand wanted) {
  const int32_t target = static_cast<int32_t>(wanted);
  int32_t current = command.load();
  while (current < target && !command.compare_exchange_weak(current, target)) {
  }
}

}  // namespace

WorkerCommand CommandOf(const WorkerWords& words) { return static_cast<WorkerCommand>(words.command.load()); }

void RequestWorker(WorkerWords& words, WorkerSignal& work, int32_t steps, WorkerCommand command) {
  RaiseCommand(words.command, command);
  AddSteps(words.pendingSteps, steps);
  words.renderPending.store(1);
  work.Set();
}

void RequestWorkerQuit(WorkerWords& words, WorkerSignal& work, WorkerSignal& running) {
  words.command.store(static_cast<int32_t>(WorkerCommand::Quit));
  running.Set();
  work.Set();
}

}  // namespace plantapp
