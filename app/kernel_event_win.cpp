// Manual-reset kernel events.
#include "app/kernel_event_win.h"

namespace plantapp {

KernelEvent::~KernelEvent() { Close(); }

bool KernelEvent::Create(const std::string& name, bool initiallySet) {
  Close();
  handle_ = CreateEventA(nullptr, TRUE, initiallySet ? TRUE : FALSE, name.empty() ? nullptr : name.c_str());
  return handle_ != nullptr;
}

void KernelEvent::Close() {
  if (handle_ != nullptr) {
    CloseHandle(handle_);
    handle_ = nullptr;
  }
}

void KernelEvent::Set() { SetEvent(handle_); }

void KernelEvent::Reset() { ResetEvent(handle_); }

bool KernelEvent::Wait() { return WaitForSingleObject(handle_, INFINITE) == WAIT_OBJECT_0; }

bool KernelEvent::IsSet() { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }

}  // namespace plantapp
