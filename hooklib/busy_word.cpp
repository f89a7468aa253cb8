// Atomic claim and release of the shared `busy` word. The GCC builtins work on any 4-byte-aligned
// int32_t, including one inside a mapping shared between processes.
#include "hooklib/busy_word.h"

#include "hooklib/time_budget.h"

namespace ostrel {
namespace {

// Tags are process id / 4 in the 23 bits above the Paint bit.
constexpr uint32_t kTagLimit = 1u << (32 - kBusyTagShift);

// What a waiting claimant watches for staleness: the claim bits when a claim is held, else the
// whole word (a Paint bit left by a desktop that died inside a broadcast). The desktop toggles
// its Paint bit around every broadcast, so a stuck claim is judged by its own bits only.
int32_t HolderOf(int32_t word) {
  const int32_t claim = word & kBusyClaimMask;
  return claim != 0 ? claim : word;
}

bool Replace(int32_t& word, int32_t& expected, int32_t value) {
  return __atomic_compare_exchange_n(&word, &expected, value, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
}

// Clears what a holder that has gone left in `current`: the claim of a process that has ended
// (a running broadcast's Paint bit stays), or, with no claim, the Paint bit of a desktop whose
// list view is gone. False when nothing was cleared, or the word changed meanwhile.
bool ClearGoneHolder(int32_t& word, int32_t current, HolderWatch& holders) {
  if ((current & kBusyClaimMask) != 0) {
    const uint32_t process = ClaimHolder(current);
    return process != 0 && holders.HasProcessEnded(process) && Replace(word, current, current & kBusyPaint);
  }
  return (current & kBusyPaint) != 0 && holders.IsPainterGone() && Replace(word, current, 0);
}

}  // namespace

int32_t MakeClaim(int32_t kind, uint32_t processId) {
  const uint32_t tag = processId / 4 < kTagLimit ? processId / 4 : 0;
  return static_cast<int32_t>((tag << kBusyTagShift) | static_cast<uint32_t>(kind & kBusyKindMask));
}

uint32_t ClaimHolder(int32_t word) {
  if ((word & kBusyKindMask) == 0) {
    return 0;
  }
  return (static_cast<uint32_t>(word) >> kBusyTagShift) * 4;
}

ClaimTiming ProtocolClaimTiming() { return ClaimTiming{kStaleClaimMs, kClaimGiveUpMs, 20, kHolderCheckMs}; }

bool TryClaimBusy(int32_t& word, int32_t claim) {
  int32_t expected = 0;
  return Replace(word, expected, claim);
}

BusyResult ClaimBusy(int32_t& word, int32_t claim, const ClaimTiming& timing,
                     void (*wait)(uint32_t ms, void* context), void* context, HolderWatch* holders) {
  const uint32_t step = timing.stepMs == 0 ? 1 : timing.stepMs;
  bool clearedGone = false;
  bool seen = false;
  int32_t holder = 0;
  uint32_t heldFor = 0;
  uint32_t sinceCheck = timing.checkMs;  // the first look asks the watch at once
  for (uint32_t waited = 0;;) {
    int32_t current = 0;
    if (Replace(word, current, claim)) {
      return clearedGone ? BusyResult::TookOverEnded : BusyResult::Ok;
    }
    if (holders != nullptr && sinceCheck >= timing.checkMs) {
      sinceCheck = 0;
      if (ClearGoneHolder(word, current, *holders)) {
        // A dead plant's claim may sit on a dead desktop's Paint bit: look again at once.
        clearedGone = true;
        sinceCheck = timing.checkMs;
        continue;
      }
    }
    if (seen && HolderOf(current) == holder) {
      heldFor += step;
    } else {
      seen = true;
      holder = HolderOf(current);
      heldFor = 0;
    }
    // A live holder releases within the protocol's budget, so an unchanged claim this old is
    // stuck (a process paused in a debugger, or one whose death could not be seen); the Paint
    // bit goes with it.
    if (heldFor >= timing.staleMs && Replace(word, current, claim)) {
      return BusyResult::TookOverStale;
    }
    if (waited >= timing.giveUpMs) {
      return BusyResult::TimedOut;
    }
    wait(step, context);
    waited += step;
    sinceCheck += step;
  }
}

bool HoldsClaim(const int32_t& word, int32_t claim) {
  return (__atomic_load_n(&word, __ATOMIC_ACQUIRE) & kBusyClaimMask) == claim;
}

bool ReleaseBusy(int32_t& word, int32_t claim) {
  int32_t current = __atomic_load_n(&word, __ATOMIC_ACQUIRE);
  while ((current & kBusyClaimMask) == claim) {
    if (Replace(word, current, current & kBusyPaint)) {
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
