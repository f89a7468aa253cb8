// The start-up backlog and the clock tick, with values worked out by hand.
#include "app/simulation_clock.h"

#include <gtest/gtest.h>

#include "plant/plant_clock.h"

namespace plantapp {
namespace {

constexpr int64_t kNewYear2025 = 1735689600;  // 2025-01-01 00:00 UTC
constexpr int64_t kNewYear2037 = 2114380800;  // 2037-01-01 00:00 UTC
constexpr int64_t kNewYear2040 = 2208988800;  // 2040-01-01 00:00 UTC, past the signed 32-bit range

TEST(StartupBacklog, CountsWholeStepsSinceTheClock) {
  EXPECT_EQ(StartupBacklog(kNewYear2025, plant::StoreClock(kNewYear2025 - 3599), 60), 59);
  EXPECT_EQ(StartupBacklog(kNewYear2025, plant::StoreClock(kNewYear2025 - 3599), 1), 3599);
  EXPECT_EQ(StartupBacklog(kNewYear2025, plant::StoreClock(kNewYear2025 - 7300), 3600), 2);
  EXPECT_EQ(StartupBacklog(kNewYear2025, plant::StoreClock(kNewYear2025), 60), 0);
}

TEST(StartupBacklog, ClockInTheFutureGivesNothing) {
  EXPECT_EQ(StartupBacklog(kNewYear2025, plant::StoreClock(kNewYear2025 + 10), 1), 0);
  // A clock stored past 2038 is negative as a signed word; taken so, it would lie before now and
  // give (2^32 - 94608000) / 60 = 70005988 steps.
  EXPECT_EQ(StartupBacklog(kNewYear2037, plant::StoreClock(kNewYear2040), 60), 0);
  EXPECT_EQ(StartupBacklog(kNewYear2025, plant::StoreClock(kNewYear2025 - 100), 0), 0);
}

TEST(StartupBacklog, WorksPast2038) {
  EXPECT_EQ(StartupBacklog(kNewYear2040, plant::StoreClock(kNewYear2040 - 3600), 60), 60);
  EXPECT_EQ(StartupBacklog(kNewYear2040, plant::StoreClock(kNewYear2037), 3600), 26280);  // 1095 days
}

TEST(ClockTicker, FirstTickOnlyStartsTheCountUnlessAStepIsOneSecond) {
  ClockTicker everySecond;
  EXPECT_EQ(everySecond.Tick(kNewYear2025, 1), 1);
  EXPECT_EQ(everySecond.LastTick(), kNewYear2025);
  ClockTicker everyMinute;
  EXPECT_EQ(everyMinute.Tick(kNewYear2025, 60), 0);
  EXPECT_EQ(everyMinute.LastTick(), kNewYear2025 - 1);
}

TEST(ClockTicker, RemainderCarriesOverToLaterTicks) {
  const int64_t t = kNewYear2025;
  ClockTicker ticker;
  EXPECT_EQ(ticker.Tick(t, 60), 0);
  EXPECT_EQ(ticker.Tick(t + 58, 60), 0);
  EXPECT_EQ(ticker.Tick(t + 90, 60), 1);  // 91 s since t - 1: one step, 31 s carried
  EXPECT_EQ(ticker.LastTick(), t + 59);
  EXPECT_EQ(ticker.Tick(t + 150, 60), 1);  // 91 s again
  EXPECT_EQ(ticker.LastTick(), t + 119);
  EXPECT_EQ(ticker.Tick(t + 178, 60), 0);
  EXPECT_EQ(ticker.Tick(t + 179, 60), 1);
}

TEST(ClockTicker, ADayOfTicksAtOneHourPerStep) {
  // Ticks every second from t to t + 86400: 86401 s since t - 1 hold 24 whole hours, requested one
  // at a time on the hour; the second left over waits for the next tick.
  const int64_t t = kNewYear2025;
  ClockTicker ticker;
  int32_t steps = 0;
  int requests = 0;
  for (int64_t now = t; now <= t + 86400; ++now) {
    const int32_t due = ticker.Tick(now, 3600);
    steps += due;
    requests += due != 0 ? 1 : 0;
  }
  EXPECT_EQ(steps, 24);
  EXPECT_EQ(requests, 24);
  EXPECT_EQ(ticker.LastTick(), t + 86399);
}

TEST(ClockTicker, ClockSetBackWaitsAndSetForwardCatchesUp) {
  const int64_t t = kNewYear2025;
  ClockTicker ticker;
  (void)ticker.Tick(t, 60);
  EXPECT_EQ(ticker.Tick(t + 119, 60), 2);
  EXPECT_EQ(ticker.Tick(t + 60 - 3600, 60), 0);  // set back an hour
  EXPECT_EQ(ticker.Tick(t + 178, 60), 0);
  EXPECT_EQ(ticker.Tick(t + 179, 60), 1);
  EXPECT_EQ(ticker.Tick(t + 179 + 3600, 60), 60);  // set forward an hour
  EXPECT_EQ(ticker.LastTick(), t + 179 + 3600);
}

}  // namespace
}  // namespace plantapp
