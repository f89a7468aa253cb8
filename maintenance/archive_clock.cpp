// The archive clock and its test seam.
#include "maintenance/archive_clock.h"

#include <atomic>
#include <ctime>

namespace {

std::atomic<int64_t (*)()> gClock{nullptr};

}  // namespace

int64_t ArchiveClockNow() {
  int64_t (*clock)() = gClock.load();
  return clock != nullptr ? clock() : static_cast<int64_t>(std::time(nullptr));
}

void SetArchiveClockForTesting(int64_t (*clock)()) { gClock.store(clock); }
