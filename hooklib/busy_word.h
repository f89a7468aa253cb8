// The `busy` word of the shared block: who may change the client list and the argument fields.
// Every change is one atomic read-modify-write, so the desktop's Paint bit and a plant's claim can
// never swallow each other, and every wait is bounded so a crashed holder blocks nobody for good.
//
// A claim is its kind in the low byte (1, 2 or 4, as every peer reads it) and its maker's tag
// above the Paint bit: the process id divided by 4 (ids are multiples of 4). The tag lets a
// release drop only its own claim, lets a holder that was taken over learn it, and lets a waiting
// claimant see at once that the holder's process has ended.
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
/// The kind of a claim.
inline constexpr int32_t kBusyKindMask = 0xFF;
/// The first bit of the claim's tag; the tag fills the bits up to 31.
inline constexpr int kBusyTagShift = 9;
/// The bits a claim owns: its kind and its tag, everything but the Paint bit.
inline constexpr int32_t kBusyClaimMask = ~kBusyPaint;

/// The claim of `kind` made by process `processId`. An id too large for the tag (at or above
/// 2^25, which Windows does not hand out in practice) gives an untagged claim, whose holder is
/// never judged ended; so does id 0.
[[nodiscard]] int32_t MakeClaim(int32_t kind, uint32_t processId);

/// The process id in the claim that `word` holds; 0 when it holds none or an untagged one.
[[nodiscard]] uint32_t ClaimHolder(int32_t word);

/// What a waiting claimant may learn about the holders besides the word: whether a claim's
/// process has ended and whether the desktop that set the Paint bit is gone. The Win32 half
/// (busy_word_win.h) asks the system.
class HolderWatch {
 public:
  virtual ~HolderWatch() = default;
  /// The id of this process, for its own claims.
  virtual uint32_t OwnProcessId() = 0;
  /// True when process `processId` has ended. A process that cannot be asked counts as running.
  virtual bool HasProcessEnded(uint32_t processId) = 0;
  /// True when the desktop list view whose Paint broadcast set the Paint bit no longer exists.
  virtual bool IsPainterGone() = 0;
};

/// How a bounded claim ended.
enum class BusyResult {
  Ok = 0,             ///< claimed a free word
  TookOverStale = 1,  ///< the word stayed taken, unchanged, for the stale time: claimed anyway
  TimedOut = 2,       ///< the word kept changing hands for the whole wait: not claimed
  TookOverEnded = 3,  ///< a holder that had ended was cleared away, then the word claimed
};

/// Waits of a bounded claim, in milliseconds.
struct ClaimTiming {
  uint32_t staleMs;      ///< a live holder that keeps the word unchanged this long is stuck
  uint32_t giveUpMs;     ///< the longest the claimant waits in all
  uint32_t stepMs;       ///< the pause between two tries
  uint32_t checkMs = 0;  ///< how often the holder watch is asked; 0: at every try
};

/// The claim timing of the protocol's time budget (hooklib/time_budget.h), tried every 20 ms.
ClaimTiming ProtocolClaimTiming();

/// One try: takes the word with `claim` when nobody holds it (not even the Paint bit).
/// Returns false when it is taken.
[[nodiscard]] bool TryClaimBusy(int32_t& word, int32_t claim);

/// Takes the word with `claim`, calling `wait(stepMs)` between tries; time is counted in steps
/// waited. With a `holders` watch, a claim whose process has ended, or a Paint bit whose desktop
/// is gone, is cleared as soon as the watch says so (a live desktop's Paint bit stays and is
/// waited for). A claim or Paint bit that stays unchanged for `staleMs` is replaced by `claim`
/// all the same: its holder lives but is stuck. `wait` may dispatch messages, so the caller keeps
/// answering Identify and Paint meanwhile.
[[nodiscard]] BusyResult ClaimBusy(int32_t& word, int32_t claim, const ClaimTiming& timing,
                                   void (*wait)(uint32_t ms, void* context), void* context,
                                   HolderWatch* holders = nullptr);

/// True while the word still holds `claim`.
[[nodiscard]] bool HoldsClaim(const int32_t& word, int32_t claim);

/// Drops `claim`, and only that claim: a claim another process took since (after a stale
/// take-over of ours) and the desktop's Paint bit stay. False when `claim` was no longer held:
/// the caller was taken over.
bool ReleaseBusy(int32_t& word, int32_t claim);

/// The desktop marks the Paint broadcast as running.
void SetPaintBit(int32_t& word);

/// The desktop marks the Paint broadcast as finished.
void ClearPaintBit(int32_t& word);

/// Waits while the Paint bit is set, at most `timeoutMs`; returns false when it did not clear.
[[nodiscard]] bool WaitPaintIdle(const int32_t& word, uint32_t timeoutMs, uint32_t stepMs,
                                 void (*wait)(uint32_t ms, void* context), void* context);

}  // namespace ostrel
