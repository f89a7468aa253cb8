// The busy word under contention, with the Paint bit, and with a holder that never lets go.
#include "hooklib/busy_word.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
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

// Which holders have gone, as the system would tell.
struct FakeWatch final : HolderWatch {
  std::set<uint32_t> ended;
  bool painterGone = false;
  uint32_t OwnProcessId() override { return 0x40; }
  bool HasProcessEnded(uint32_t id) override { return ended.count(id) != 0; }
  bool IsPainterGone() override { return painterGone; }
};

TEST(BusyWord, ClaimsCarryTheirMakerAndAGoneHolderIsClearedAtOnce) {
  // The tag is the process id / 4 above the Paint bit: 0x1234 / 4 = 0x48D, shifted by 9 = 0x91A00.
  EXPECT_EQ(MakeClaim(kBusyUnregister, 0x1234), 0x91A02);
  EXPECT_EQ(ClaimHolder(0x91A02 | kBusyPaint), 0x1234u);
  EXPECT_EQ(MakeClaim(kBusyRegister, 1u << 25), kBusyRegister);
  // Another process's release of the same kind leaves the claim.
  int32_t word = MakeClaim(kBusyRegister, 0x1234);
  EXPECT_FALSE(ReleaseBusy(word, MakeClaim(kBusyRegister, 0x5678)));
  EXPECT_EQ(word, MakeClaim(kBusyRegister, 0x1234));

  // An ended holder's claim goes at the first look; a live desktop's Paint bit stays until it
  // clears.
  FakeWatch watch;
  watch.ended = {0x1234};
  word = MakeClaim(kBusyRegister, 0x1234) | kBusyPaint;
  Holders painting{&word, {kBusyPaint, 0}};
  EXPECT_EQ(ClaimBusy(word, kBusyUnregister, ClaimTiming{10000, 20000, 100}, NextHolder, &painting, &watch),
            BusyResult::TookOverEnded);
  EXPECT_EQ(painting.waited, 200u);
  EXPECT_EQ(word, kBusyUnregister);
  // A dead desktop's Paint bit goes at once; a holder that still runs gets the stale time.
  word = kBusyPaint;
  watch.painterGone = true;
  EXPECT_EQ(ClaimBusy(word, kBusyRegister, ClaimTiming{1000, 5000, 100}, Yield, nullptr, &watch),
            BusyResult::TookOverEnded);
  word = MakeClaim(kBusyRegister, 0x5678);
  uint32_t waited = 0;
  EXPECT_EQ(ClaimBusy(word, kBusyUnregister, ClaimTiming{1000, 5000, 100}, CountWaits, &waited, &watch),
            BusyResult::TookOverStale);
  EXPECT_EQ(waited, 1000u);
}

}  // namespace
}  // namespace ostrel
