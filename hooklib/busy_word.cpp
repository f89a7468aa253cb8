// Atomic claim and release of the shared `busy` word. The GCC builtins work on any 4-byte-aligned
// int32_t, including one inside a mapping shared between processes.
#include "hooklib/busy_word.h"

namespace ostrel {

bool TryClaimBusy(int32_t& word, int32_t value) {
  int32_t expected = 0;
  return __atomic_compare_exchange_n(&word, &expected, value, false, __ATOMIC_ACQ_REL,
                                     __ATOMIC_ACQUIRE);
}

BusyResult ClaimBusy(int32_t& word, int32_t value, uint32_t timeoutMs, uint32_t stepMs,
                     void (*wait)(uint32_t ms, void* context), void* context) {
  const uint32_t step = stepMs == 0 ? 1 : stepMs;
  for (uint32_t waited = 0; waited < timeoutMs; waited += step) {
    if (TryClaimBusy(word, value)) {
      return BusyResult::Ok;
    }
    wait(step, context);
  }
  if (TryClaimBusy(word, value)) {
    return BusyResult::Ok;
  }
  // The holder has kept the word far longer than any registration takes: it crashed while
  // holding it, or the desktop died inside a broadcast. Both bit groups are stale.
  __atomic_store_n(&word, value, __ATOMIC_RELEASE);
  return BusyResult::TookOverStale;
}

void ReleaseBusy(int32_t& word) { __atomic_fetch_and(&word, ~kBusyClaimMask, __ATOMIC_ACQ_REL); }

void SetPaintBit(int32_t& word) { __atomic_fetch_or(&word, kBusyPaint, __ATOMIC_ACQ_REL); }

void ClearPaintBit(int32_t& word) { __atomic_fetch_and(&word, ~kBusyPaint, __ATOMIC_ACQ_REL); }

bool WaitPaintIdle(const int32_t& word, uint32_t timeoutMs, uint32_t stepMs,
                   void (*wait)(uint32_t ms, void* context), void* context) {
  const uint32_t step = stepMs == 0 ? 1 : stepMs;
  for (uint32_t waited = 0;; waited += step) {
    if ((__atomic_load_n(&word, __ATOMIC_ACQUIRE) & kBusyPaint) == 0) {
      return true;
    }
    if (waited >= timeoutMs) {
      return false;
    }
    wait(step, context);
  }
}

}  // namespace ostrel
