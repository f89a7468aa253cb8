// Finding, starting and asking the companion.
#include "app/companion_route_win.h"

#include <shellapi.h>

#include <utility>

#include "framework/base/scoped_handles_win.h"
#include "hooklib/companion_protocol.h"

namespace plantapp {
namespace {

BOOL CALLBACK FindCompanionWindowProc(HWND window, LPARAM context) {
  char name[260] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, ostrel::kCompanionClass) != 0) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

bool IsTaken(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }

bool HasEnded(const ScopedHandle& process) {
  return process.IsValid() && WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

// SMTO_ABORTIFHUNG: a companion that has stopped taking its messages (stuck in a call, or paused)
// fails the request at once instead of after the whole wait.
bool Ask(HWND window, uint32_t message, ostrel::CompanionCommand command, int32_t claim, uint32_t ms,
         DWORD_PTR* answer) {
  return SendMessageTimeoutA(window, message, static_cast<WPARAM>(command), static_cast<LPARAM>(claim),
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, ms, answer) != 0;
}

// Held while a plant looks for the companion and starts it. The wait is bounded: a plant that
// holds it longer than a whole search is stuck, and this one then searches without it.
class LaunchLock {
 public:
  explicit LaunchLock(uint32_t waitMs) : mutex_(CreateMutexA(nullptr, FALSE, ostrel::kCompanionLaunchName)) {
    held_ = mutex_.IsValid() && IsTaken(WaitForSingleObject(mutex_.Get(), waitMs));
  }
  ~LaunchLock() {
    if (held_) ReleaseMutex(mutex_.Get());
  }
  LaunchLock(const LaunchLock&) = delete;
  LaunchLock& operator=(const LaunchLock&) = delete;

 private:
  ScopedHandle mutex_;
  bool held_ = false;
};

}  // namespace

HWND FindCompanionWindow() {
  HWND found = nullptr;
  EnumWindows(FindCompanionWindowProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool IsCompanionAlive() {
  // No handle to the mutex anywhere: no companion has it.
  const ScopedHandle mutex(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, ostrel::kCompanionMutexName));
  if (!mutex.IsValid()) {
    return false;
  }
  // Free, or abandoned by a companion that was killed: nobody serves. A companion starting
  // meanwhile waits the moment this plant holds it.
  if (IsTaken(WaitForSingleObject(mutex.Get(), 0))) {
    ReleaseMutex(mutex.Get());
    return false;
  }
  return true;
}

CompanionRoute::CompanionRoute(ostrel::OstrelSharedMem& block, std::string companionPath,
                               const CompanionSearch& search)
    : block_(block), path_(std::move(companionPath)), search_(search) {}

bool CompanionRoute::Launch(HANDLE* process) {
  ostrel::SetCompanionRunning(block_, true);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = "open";
  info.lpFile = path_.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) {
    ostrel::SetCompanionRunning(block_, false);
    return false;
  }
  *process = info.hProcess;
  return true;
}

HWND CompanionRoute::FindOrStart() {
  if (const HWND found = FindCompanionWindow()) {
    return found;
  }
  const DWORD start = GetTickCount();
  const LaunchLock launching(search_.searchMs);
  ScopedHandle started;
  bool launched = false;
  for (;;) {
    if (const HWND found = FindCompanionWindow()) {
      return found;
    }
    // None serves, whatever `companionRunning` says: start one, once. A companion that lives but
    // shows no window yet is starting or ending; the next rounds see which.
    if (!launched && !IsCompanionAlive()) {
      launched = true;
      HANDLE process = nullptr;
      if (!Launch(&process)) {
        launchFailed_ = true;
        return nullptr;
      }
      started = ScopedHandle(process);
    }
    // The companion started here ended without a window while no other lives: it cannot run (no
    // desktop list view), and waiting longer finds nothing.
    if (HasEnded(started) && !IsCompanionAlive()) {
      ostrel::SetCompanionRunning(block_, false);
      return nullptr;
    }
    if (GetTickCount() - start >= search_.searchMs) {
      return nullptr;
    }
    Sleep(search_.pauseMs);
  }
}

HWND CompanionRoute::Window() {
  if (window_ == nullptr || !IsWindow(window_)) {
    window_ = FindOrStart();
  }
  return window_;
}

bool CompanionRoute::StartIfMissing() {
  const std::lock_guard<std::mutex> hold(lock_);
  launchFailed_ = false;
  (void)Window();
  return !launchFailed_;
}

bool CompanionRoute::Prepare() {
  const std::lock_guard<std::mutex> hold(lock_);
  return Window() != nullptr;
}

int32_t CompanionRoute::Call(ostrel::CompanionCommand command, int32_t claim) {
  return SendToCompanion(ostrel::kCompanionMessage, command, claim);
}

int32_t CompanionRoute::SendToCompanion(uint32_t message, ostrel::CompanionCommand command, int32_t claim) {
  const std::lock_guard<std::mutex> hold(lock_);
  const bool cached = window_ != nullptr && IsWindow(window_);
  HWND window = Window();
  if (window == nullptr) {
    return -1;
  }
  const DWORD asked = GetTickCount();
  DWORD_PTR answer = 0;
  if (Ask(window, message, command, claim, search_.replyMs, &answer)) {
    // The companion answers an int; a 64-bit companion sign-extends it.
    return static_cast<int32_t>(answer);
  }
  window_ = nullptr;
  const DWORD spent = GetTickCount() - asked;
  // Still there: it did not answer in time. Found just now: the search is spent. Either way,
  // no second wait.
  if (!cached || IsWindow(window) || spent >= search_.replyMs) {
    return -1;
  }
  window = Window();
  if (window == nullptr) {
    return -1;
  }
  if (Ask(window, message, command, claim, search_.replyMs - spent, &answer)) {
    return static_cast<int32_t>(answer);
  }
  window_ = nullptr;
  return -1;
}

void CompanionRoute::Distrust() {
  const std::lock_guard<std::mutex> hold(lock_);
  window_ = nullptr;
}

}  // namespace plantapp
