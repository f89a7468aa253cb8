// The `busy` word of the shared block: who may change the client list and the argument fields.
// Every change is one atomic read-modify-write, so the desktop's Paint bit and a plant's claim can
// never swallow each other, and every wait is bounded so a crashed holder blocks nobody for good.
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
/// The bits a client claim owns.
inline constexpr int32_t kBusyClaimMask = 0xFF;

/// How a bounded claim ended.
enum class BusyResult { Ok = 0, TookOverStale = 1 };

/// One try: claims the word with `value` when nobody holds it (not even the Paint bit).
/// Returns false when it is taken.
[[nodiscard]] bool TryClaimBusy(int32_t& word, int32_t value);

/// Claims the word with `value`, calling `wait(stepMs)` between tries for at most `timeoutMs`.
/// A holder that keeps it longer is taken to be dead: its bits are replaced by `value`.
/// `wait` may dispatch messages, so the caller keeps answering Identify and Paint meanwhile.
[[nodiscard]] BusyResult ClaimBusy(int32_t& word, int32_t value, uint32_t timeoutMs,
                                   uint32_t stepMs, void (*wait)(uint32_t ms, void* context),
                                   void* context);

/// Drops a claim; the Paint bit, which belongs to the desktop, is left alone.
void ReleaseBusy(int32_t& word);

/// The desktop marks the Paint broadcast as running.
void SetPaintBit(int32_t& word);

/// The desktop marks the Paint broadcast as finished.
void ClearPaintBit(int32_t& word);

/// Waits while the Paint bit is set, at most `timeoutMs`; returns false when it did not clear.
[[nodiscard]] bool WaitPaintIdle(const int32_t& word, uint32_t timeoutMs, uint32_t stepMs,
                                 void (*wait)(uint32_t ms, void* context), void* context);

}  // namespace ostrel
