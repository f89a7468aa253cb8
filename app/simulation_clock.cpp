// Clock arithmetic in 64-bit seconds; the stored plant clock is unsigned 32-bit (plant_clock.h).
#include "app/simulation_clock.h"

#include <limits>

#include "plant/plant_clock.h"

namespace plantapp {
namespace {

constexpr int64_t kMaxSteps = std::numeric_limits<int32_t>::max();

int32_t ClampSteps(int64_t steps) { return static_cast<int32_t>(steps < kMaxSteps ? steps : kMaxSteps); }

}  // namespace

int32_t StartupBacklog(int64_t now, int32_t clock, int32_t secondsPerStep) {
  // The clock read as unsigned: read signed, a clock past January 2038 would seem to lie before
  // 1970, and a plant whose clock is in the future would get billions of steps.
  const int64_t last = plant::ReadClock(clock);
  if (secondsPerStep <= 0 || last > now) {
    return 0;
  }
  return ClampSteps((now - last) / secondsPerStep);
}

int32_t ClockTicker::Tick(int64_t now, int32_t secondsPerStep) {
  if (now <= lastTick_ || secondsPerStep <= 0) {
    return 0;
  }
  if (lastTick_ == 0) {
    lastTick_ = now - 1;
  }
  const int64_t steps = (now - lastTick_) / secondsPerStep;
  if (steps == 0) {
    return 0;
  }
  const int32_t granted = ClampSteps(steps);
  lastTick_ += static_cast<int64_t>(granted) * secondsPerStep;
  return granted;
}

}  // namespace plantapp
