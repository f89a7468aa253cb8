// The plant's simulation clock: how many growth steps are due when the plant starts, and how the
// one-second tick turns elapsed wall time into steps, carrying the unfinished part of a step over
// to later ticks. Platform-free; the caller reads the time and hands the steps to the worker.
#pragma once

#include <cstdint>

namespace plantapp {

/// Id of the plant window's clock timer.
inline constexpr uint32_t kClockTimerId = 4096;
/// Period of the clock timer in milliseconds.
inline constexpr uint32_t kClockTimerPeriodMs = 1000;

/// Steps due at start-up: the whole steps between the plant's `clock` (stored seconds since
/// 1970, read as unsigned, so 1970 to 2106) and `now`; 0 when the clock is later than now or
/// `secondsPerStep` is not positive. At most INT32_MAX, the most the worker's counter holds.
[[nodiscard]] int32_t StartupBacklog(int64_t now, int32_t clock, int32_t secondsPerStep);

/// The wall time up to which steps have been requested, advanced by whole steps at each tick.
class ClockTicker {
 public:
  /// Steps due at a tick at `now`: 0 on the first tick (which only starts the count, one second
  /// back), when time has not passed the last step, or within one step; the remainder counts
  /// towards later ticks. A clock set back requests nothing until wall time catches up; a clock
  /// set forward turns the whole jump into steps. At most INT32_MAX.
  [[nodiscard]] int32_t Tick(int64_t now, int32_t secondsPerStep);

  /// The wall time (seconds since 1970) up to which steps have been requested; 0 before the
  /// first tick.
  [[nodiscard]] int64_t LastTick() const { return lastTick_; }

 private:
  int64_t lastTick_ = 0;
};

}  // namespace plantapp
