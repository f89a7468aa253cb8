// The worker thread's Win32 life.
#include "app/worker_thread_win.h"

#include "app/plant_data_lock.h"
#include "app/plant_names.h"

namespace plantapp {

PlantWorker::~PlantWorker() { Stop(); }

WorkerStart PlantWorker::Start(const std::string& plantFileName, WorkerJobs& jobs, int32_t backlog,
                               bool idlePriority) {
  if (!work_.Create(WorkerEventName(plantFileName), true) || !running_.Create("", true)) {
    work_.Close();
    return WorkerStart::NoEvent;
  }
  words_.pendingSteps.store(backlog > 0 ? backlog : 0);
  jobs_ = &jobs;
  thread_ = CreateThread(nullptr, 0, &PlantWorker::WorkerThread, this, 0, nullptr);
  if (thread_ == nullptr) {
    return WorkerStart::NoThread;
  }
  SetIdlePriority(idlePriority);
  return WorkerStart::Started;
}

DWORD WINAPI PlantWorker::WorkerThread(void* self) {
  auto* worker = static_cast<PlantWorker*>(self);
  const WorkerLoopParts parts{worker->words_, worker->work_, worker->running_, *worker->jobs_,
                              PlantDataLock()};
  return static_cast<DWORD>(RunWorkerLoop(parts));
}

void PlantWorker::Request(int32_t steps, WorkerCommand command) {
  if (work_.IsValid()) {
    RequestWorker(words_, work_, steps, command);
  }
}

void PlantWorker::Tick(int64_t now, int32_t secondsPerStep) {
  const int32_t steps = ticker_.Tick(now, secondsPerStep);
  if (steps != 0) {
    Request(steps, WorkerCommand::Run);
  }
}

void PlantWorker::Pause() {
  if (running_.IsValid()) PauseWorker(running_);
}

void PlantWorker::Resume() {
  if (running_.IsValid()) ResumeWorker(running_);
}

void PlantWorker::SetIdlePriority(bool idle) {
  if (thread_ != nullptr) {
    SetThreadPriority(thread_, idle ? THREAD_PRIORITY_IDLE : THREAD_PRIORITY_NORMAL);
  }
}

int PlantWorker::Stop() {
  if (thread_ == nullptr) {
    return exitCode_;
  }
  SetThreadPriority(thread_, THREAD_PRIORITY_NORMAL);
  RequestWorkerQuit(words_, work_, running_);
  // The worker's message to the plant dialog is synchronous and needs this thread to take it.
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE);
    if (woke == WAIT_OBJECT_0) {
      break;
    }
    if (woke == WAIT_FAILED) {
      // The thread uses this object: it must have ended before the handle and the events go.
      WaitForSingleObject(thread_, INFINITE);
      break;
    }
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  DWORD code = 1;
  if (!GetExitCodeThread(thread_, &code)) {
    code = 1;
  }
  CloseHandle(thread_);
  thread_ = nullptr;
  work_.Close();
  running_.Close();
  exitCode_ = static_cast<int>(code);
  return exitCode_;
}

}  // namespace plantapp
