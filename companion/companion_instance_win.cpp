// The companion mutex.
#include "companion/companion_instance_win.h"

#include "hooklib/companion_protocol.h"

namespace companion {

CompanionInstance::~CompanionInstance() {
  if (owned_) {
    ReleaseMutex(mutex_.Get());
  }
}

bool CompanionInstance::Take(DWORD waitMs) {
  if (!mutex_.IsValid()) {
    mutex_ = ScopedHandle(CreateMutexA(nullptr, FALSE, ostrel::kCompanionMutexName));
  }
  if (!mutex_.IsValid() || owned_) {
    return owned_;
  }
  const DWORD got = WaitForSingleObject(mutex_.Get(), waitMs);
  owned_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
  return owned_;
}

}  // namespace companion
