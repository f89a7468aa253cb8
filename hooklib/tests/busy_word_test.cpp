// The busy word under contention, with the Paint bit, and with a holder that never lets go.
#include "hooklib/busy_word.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ostrel {
namespace {

void Yield(uint32_t, void*) { std::this_thread::yield(); }

void CountWaits(uint32_t ms, void* context) { *static_cast<uint32_t*>(context) += ms; }

TEST(BusyWord, TwoClaimersNeverHoldItTogether) {
  int32_t word = 0;
  std::atomic<int> inside{0};
  std::atomic<bool> overlap{false};
  auto worker = [&](int32_t value) {
    for (int i = 0; i < 20000; ++i) {
      if (ClaimBusy(word, value, 1000000, 1, Yield, nullptr) != BusyResult::Ok) {
        overlap = true;
      }
      if (inside.fetch_add(1) != 0) overlap = true;
      inside.fetch_sub(1);
      ReleaseBusy(word);
    }
  };
  std::thread a(worker, kBusyRegister);
  std::thread b(worker, kBusyUnregister);
  // The desktop's Paint bit comes and goes meanwhile and must not erase a claim.
  std::thread paint([&] {
    for (int i = 0; i < 20000; ++i) {
      SetPaintBit(word);
      ClearPaintBit(word);
    }
  });
  a.join();
  b.join();
  paint.join();
  EXPECT_FALSE(overlap);
  EXPECT_EQ(word, 0);
}

TEST(BusyWord, PaintBitSurvivesAClaimRelease) {
  int32_t word = kBusyRegister;
  SetPaintBit(word);
  ReleaseBusy(word);
  EXPECT_EQ(word, kBusyPaint);
  EXPECT_FALSE(TryClaimBusy(word, kBusyRegister));
  ClearPaintBit(word);
  EXPECT_TRUE(TryClaimBusy(word, kBusyRegister));
}

TEST(BusyWord, StaleHolderIsTakenOverAfterTheTimeOut) {
  int32_t word = kBusyUnregister | kBusyPaint;
  uint32_t waited = 0;
  EXPECT_EQ(ClaimBusy(word, kBusyRegister, 1000, 100, CountWaits, &waited),
            BusyResult::TookOverStale);
  EXPECT_EQ(word, kBusyRegister);
  EXPECT_EQ(waited, 1000u);

  word = kBusyPaint;
  waited = 0;
  EXPECT_FALSE(WaitPaintIdle(word, 2000, 50, CountWaits, &waited));
  EXPECT_EQ(waited, 2000u);
  word = 0;
  EXPECT_TRUE(WaitPaintIdle(word, 2000, 50, CountWaits, &waited));
}

}  // namespace
}  // namespace ostrel
