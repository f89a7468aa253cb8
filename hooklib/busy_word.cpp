// Atomic claim and release of the shared `busy` word. The GCC builtins work on any 4-byte-aligned
// int32_t, including one inside a mapping shared between processes.
#include "hooklib/busy_word.h"

#include "hooklib/time_budget.h"

namespace ostrel {
namespace {

// What a waiting claimant watches for staleness: the claim bits when a claim is held, else the
// whole word (a Paint bit left by a desktop that died inside a broadcast). The desktop toggles
// its Paint bit around every broadcast, so a dead claim is judged by its own bits only.
int32_t HolderOf(int32_t word) {
  const int32_t claim = word & kBusyClaimMask;
  return claim != 0 ? claim : word;
}

}  // namespace

ClaimTiming ProtocolClaimTiming() { return ClaimTiming{kStaleClaimMs, kClaimGiveUpMs, 20}; }

bool TryClaimBusy(int32_t& word, int32_t value) {
  int32_t expected = 0;
  return __atomic_compare_exchange_n(&word, &expected, value, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
}

BusyResult ClaimBusy(int32_t& word, int32_t value, const ClaimTiming& timing,
                     void (*wait)(uint32_t ms, void* context), void* context) {
  const uint32_t step = timing.stepMs == 0 ? 1 : timing.stepMs;
  int32_t holder = 0;
  uint32_t heldFor = 0;
  for (uint32_t waited = 0;; waited += step) {
    int32_t current = 0;
    if (__atomic_compare_exchange_n(&word, &current, value, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) {
      return BusyResult::Ok;
    }
    if (waited != 0 && HolderOf(current) == holder) {
      heldFor += step;
    } else {
      holder = HolderOf(current);
      heldFor = 0;
    }
    // A live holder releases within the protocol's budget, so an unchanged claim this old was
    // left by a process that died while holding it; the stale Paint bit goes with it.
    if (heldFor >= timing.staleMs &&
        __atomic_compare_exchange_n(&word, &current, value, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) {
      return BusyResult::TookOverStale;
    }
    if (waited >= timing.giveUpMs) {
      return BusyResult::TimedOut;
    }
    wait(step, context);
  }
}

bool ReleaseBusy(int32_t& word, int32_t value) {
  int32_t current = __atomic_load_n(&word, __ATOMIC_ACQUIRE);
  while ((current & kBusyClaimMask) == value) {
    if (__atomic_compare_exchange_n(&word, &current, current & ~kBusyClaimMask, false, __ATOMIC_ACQ_REL,
                                    __ATOMIC_ACQUIRE)) {
      return true;
    }
  }
  return false;
}

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
