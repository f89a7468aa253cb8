// The companion mutex.
#include "companion/companion_instance_win.h"

#include "hooklib/companion_protocol.h"

namespace companion {

CompanionInstance::~CompanionInstance() {
  if (owned_) {
    ReleaseMutex(mutex_);
  }
  if (mutex_ != nullptr) {
    CloseHandle(mutex_);
  }
}

bool CompanionInstance::Take(DWORD waitMs) {
  if (mutex_ == nullptr) {
    mutex_ = CreateMutexA(nullptr, FALSE, ostrel::kCompanionMutexName);
  }
  if (mutex_ == nullptr || owned_) {
    return owned_;
  }
  const DWORD got = WaitForSingleObject(mutex_, waitMs);
  owned_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
  return owned_;
}

}  // namespace companion
