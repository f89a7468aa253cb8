// The busy word under contention, with the Paint bit, and with a holder that never lets go; and the
// RGNDATA chunks of the repaint region.
#include "hooklib/busy_word.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "hooklib/region_chunks.h"

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

uint32_t Get32(const uint8_t* at) {
  uint32_t v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

TEST(RegionChunks, LargeRegionsAreSplitWithValidHeaders) {
  std::vector<Rect32> rects;
  for (int32_t i = 0; i < 300; ++i) rects.push_back(Rect32{i, 2 * i, i + 1, 2 * i + 1});
  ASSERT_EQ(RegionChunkCount(rects.size()), 2u);
  uint8_t out[kPaintRegionSize];
  EXPECT_EQ(WriteRegionChunk(out, rects.data(), rects.size(), 0), 254u);
  EXPECT_EQ(Get32(out), 32u);
  EXPECT_EQ(Get32(out + 4), 1u);
  EXPECT_EQ(Get32(out + 8), 254u);
  EXPECT_EQ(Get32(out + 12), 254u * 16);
  Rect32 bound;
  std::memcpy(&bound, out + 16, sizeof bound);
  EXPECT_EQ(bound, (Rect32{0, 0, 254, 507}));
  EXPECT_EQ(WriteRegionChunk(out, rects.data(), rects.size(), 1), 46u);
  std::memcpy(&bound, out + 16, sizeof bound);
  EXPECT_EQ(bound, (Rect32{254, 508, 300, 599}));
  Rect32 first;
  std::memcpy(&first, out + 32, sizeof first);
  EXPECT_EQ(first, rects[254]);
}

TEST(RegionChunks, SmallAndEmptyRegionsAreOneChunk) {
  EXPECT_EQ(RegionChunkCount(254), 1u);
  EXPECT_EQ(RegionChunkCount(255), 2u);
  EXPECT_EQ(RegionChunkCount(0), 1u);
  uint8_t out[kPaintRegionSize];
  std::memset(out, 0xEE, sizeof out);
  EXPECT_EQ(WriteRegionChunk(out, nullptr, 0, 0), 0u);
  EXPECT_EQ(Get32(out), 32u);
  EXPECT_EQ(Get32(out + 8), 0u);
}

}  // namespace
}  // namespace ostrel
