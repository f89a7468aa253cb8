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
      if (ClaimBusy(word, value, ClaimTiming{1000000, 2000000, 1}, Yield, nullptr) != BusyResult::Ok) {
        overlap = true;
      }
      if (inside.fetch_add(1) != 0) overlap = true;
      inside.fetch_sub(1);
      if (!ReleaseBusy(word, value)) overlap = true;
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

TEST(BusyWord, ReleaseDropsOnlyTheOwnClaim) {
  int32_t word = kBusyRegister;
  SetPaintBit(word);
  EXPECT_TRUE(ReleaseBusy(word, kBusyRegister));
  EXPECT_EQ(word, kBusyPaint);
  // A claim another process took since is not ours to drop.
  word = kBusyUnregister;
  EXPECT_FALSE(ReleaseBusy(word, kBusyRegister));
  EXPECT_EQ(word, kBusyUnregister);
  word = kBusyPaint;
  EXPECT_FALSE(TryClaimBusy(word, kBusyRegister));
  ClearPaintBit(word);
  EXPECT_TRUE(TryClaimBusy(word, kBusyRegister));
}

TEST(BusyWord, StaleHolderIsTakenOverAfterTheTimeOut) {
  int32_t word = kBusyUnregister | kBusyPaint;
  uint32_t waited = 0;
  EXPECT_EQ(ClaimBusy(word, kBusyRegister, ClaimTiming{1000, 5000, 100}, CountWaits, &waited),
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

// The desktop paints while a dead plant's claim stays: the Paint bit comes and goes, the claim
// does not, and the claim is still judged stale. Claims that keep changing hands never are.
struct Holders {
  int32_t* word;
  std::vector<int32_t> sequence;  // the word after each wait
  size_t next = 0;
  uint32_t waited = 0;
};

void NextHolder(uint32_t ms, void* context) {
  auto* h = static_cast<Holders*>(context);
  h->waited += ms;
  *h->word = h->sequence[h->next++ % h->sequence.size()];
}

TEST(BusyWord, StalenessFollowsTheClaimNotThePaintBit) {
  int32_t word = kBusyRegister;
  Holders painting{&word, {kBusyRegister | kBusyPaint, kBusyRegister}};
  EXPECT_EQ(ClaimBusy(word, kBusyUnregister, ClaimTiming{300, 1000, 100}, NextHolder, &painting),
            BusyResult::TookOverStale);
  EXPECT_EQ(painting.waited, 300u);
  EXPECT_EQ(word, kBusyUnregister);

  word = kBusyRegister;
  Holders changing{&word, {kBusyUnregister, kBusyRegister}};
  EXPECT_EQ(ClaimBusy(word, kBusyReorder, ClaimTiming{300, 1000, 100}, NextHolder, &changing),
            BusyResult::TimedOut);
  EXPECT_EQ(changing.waited, 1000u);
  EXPECT_EQ(word & kBusyClaimMask, kBusyRegister);
}

}  // namespace
}  // namespace ostrel
