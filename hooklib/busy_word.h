// The `busy` word of the shared block: who may change the client list and the argument fields.
// Every change is one atomic read-modify-write, so the desktop's Paint bit and a plant's claim can
// never swallow each other, and every wait is bounded so a crashed holder blocks nobody for good.
//
// Exactly one side releases a claim: the process that took it (a plant, or the desktop for its
// reorder). The library's exports never touch the claim of the plant that called them.
#pragma once

#include <cstdint>

namespace ostrel {

/// A plant process registers a window.
inline constexpr int32_t kBusyRegister = 1;
/// A plant process removes a window.
inline constexpr int32_t kBusyUnregister = 2;
/// The desktop reorders the client list after a double-click.
inline constexpr int32_t kBusyReorder = 4;
/// The desktop's Paint broadcast is running.
inline constexpr int32_t kBusyPaint = 0x100;
/// The bits a claim owns.
inline constexpr int32_t kBusyClaimMask = 0xFF;

/// How a bounded claim ended.
enum class BusyResult {
  Ok = 0,             ///< claimed a free word
  TookOverStale = 1,  ///< the word stayed taken, unchanged, for the stale time: claimed anyway
  TimedOut = 2,       ///< the word kept changing hands for the whole wait: not claimed
};

/// Waits of a bounded claim, in milliseconds.
struct ClaimTiming {
  uint32_t staleMs;   ///< a holder that keeps the word unchanged this long has died
  uint32_t giveUpMs;  ///< the longest the claimant waits in all
  uint32_t stepMs;    ///< the pause between two tries
};

/// The claim timing of the protocol's time budget (hooklib/time_budget.h), tried every 20 ms.
ClaimTiming ProtocolClaimTiming();

/// One try: claims the word with `value` when nobody holds it (not even the Paint bit).
/// Returns false when it is taken.
[[nodiscard]] bool TryClaimBusy(int32_t& word, int32_t value);

/// Claims the word with `value`, calling `wait(stepMs)` between tries. Time is counted in
/// steps waited. A claim (or, with no claim, the Paint bit) that stays unchanged for `staleMs`
/// belongs to a process that died and is replaced by `value`. `wait` may dispatch messages, so
/// the caller keeps answering Identify and Paint meanwhile.
[[nodiscard]] BusyResult ClaimBusy(int32_t& word, int32_t value, const ClaimTiming& timing,
                                   void (*wait)(uint32_t ms, void* context), void* context);

/// Drops the claim `value`, and only that claim: a claim another process took since (after a
/// stale take-over of ours) and the desktop's Paint bit stay. False when `value` was not held.
bool ReleaseBusy(int32_t& word, int32_t value);

/// The desktop marks the Paint broadcast as running.
void SetPaintBit(int32_t& word);

/// The desktop marks the Paint broadcast as finished.
void ClearPaintBit(int32_t& word);

/// Waits while the Paint bit is set, at most `timeoutMs`; returns false when it did not clear.
[[nodiscard]] bool WaitPaintIdle(const int32_t& word, uint32_t timeoutMs, uint32_t stepMs,
                                 void (*wait)(uint32_t ms, void* context), void* context);

}  // namespace ostrel
