// The worker loop. A pause is cooperative: the worker waits on the `running` event only at points
// where it holds no lock of the heap, of GDI or of the plant, so the UI thread can go on painting
// while a drag lasts.
#include "app/worker_loop.h"

#include <algorithm>

namespace plantapp {
namespace {

bool IsQuit(const WorkerWords& words) { return CommandOf(words) == WorkerCommand::Quit; }

// A Redraw that stands when a render is about to start is served by that render.
void ConsumeRedraw(WorkerWords& words) {
  int32_t expected = static_cast<int32_t>(WorkerCommand::Redraw);
  words.command.compare_exchange_strong(expected, static_cast<int32_t>(WorkerCommand::Run));
}

// Simulates what is pending, in chunks. Returns false when a wait failed; stops early on Quit,
// leaving the rest pending (the plant's clock has advanced only over what was simulated).
bool SimulatePending(const WorkerLoopParts& parts) {
  const uint32_t chunkSteps = std::max<uint32_t>(parts.chunkSteps, 1);
  int32_t left = std::max<int32_t>(parts.words.pendingSteps.load(), 0);
  do {
    if (!parts.running.Wait()) {
      return false;
    }
    if (IsQuit(parts.words)) {
      return true;
    }
    const int32_t chunk = static_cast<int32_t>(std::min<uint32_t>(static_cast<uint32_t>(left), chunkSteps));
    {
      const std::lock_guard<std::mutex> hold(parts.plantLock);
      parts.jobs.Simulate(static_cast<uint32_t>(chunk));
    }
    parts.words.pendingSteps.fetch_sub(chunk);
    left -= chunk;
  } while (left > 0);
  return true;
}

void Save(const WorkerLoopParts& parts) {
  const std::lock_guard<std::mutex> hold(parts.plantLock);
  parts.jobs.Save();
}

// Clears the work event unless a Redraw arrived during the pass. A Redraw stored after the check
// but before the reset has set the event before the reset cleared it; the second look puts it
// back, so the worker makes another pass for it.
void EndPass(WorkerWords& words, WorkerSignal& work) {
  if (CommandOf(words) == WorkerCommand::Redraw) {
    return;
  }
  work.Reset();
  if (CommandOf(words) == WorkerCommand::Redraw) {
    work.Set();
  }
}

}  // namespace

int RunWorkerLoop(const WorkerLoopParts& parts) {
  WorkerWords& words = parts.words;
  while (!IsQuit(words)) {
    words.idle.store(1);
    const bool woken = parts.work.Wait();
    words.idle.store(0);
    if (!woken) {
      return 1;
    }
    if (IsQuit(words)) {
      break;
    }
    ConsumeRedraw(words);
    if (!SimulatePending(parts)) {
      return 1;
    }
    if (IsQuit(words)) {
      break;
    }
    if (!parts.running.Wait()) {
      return 1;
    }
    Save(parts);
    parts.jobs.NotifyDialog();
    ConsumeRedraw(words);
    if (CommandOf(words) == WorkerCommand::Run && parts.jobs.IsRenderAllowed()) {
      if (!parts.running.Wait()) {
        return 1;
      }
      parts.jobs.Render();
    }
    EndPass(words, parts.work);
  }
  Save(parts);
  return 0;
}

void PauseWorker(WorkerSignal& running) { running.Reset(); }

void ResumeWorker(WorkerSignal& running) { running.Set(); }

}  // namespace plantapp
