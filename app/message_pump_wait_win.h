// A wait that keeps the calling thread's messages flowing, for waits on the UI thread that other
// processes may need answers from meanwhile (the desktop's Paint and Identify).
#pragma once

#include <cstdint>

namespace plantapp {

/// Waits `ms` milliseconds, dispatching this thread's messages as they come. A WM_QUIT taken out
/// of the queue is posted again, so the message loop still ends. `context` is unused (the
/// HookWait form).
void WaitDispatchingMessages(uint32_t ms, void* context);

}  // namespace plantapp
