// Growth, clamping, failure and borrowing rules of the framework's growable array.
#include "framework/base/zrf_array.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

std::vector<int32_t> Contents(const CZrfArray<int32_t>& a) {
  return std::vector<int32_t>(a.GetAt(0), a.GetAt(0) + a.count);
}

// Allocation hooks that can fail on demand and remember what was asked and freed.
struct AllocLog {
  bool fail = false;
  std::vector<size_t> requested;
  std::vector<void*> freed;
};
AllocLog* gLog = nullptr;
void* LoggingAlloc(size_t n) {
  gLog->requested.push_back(n);
  return gLog->fail ? nullptr : std::malloc(n);
}
void LoggingFree(void* p) {
  if (p) gLog->freed.push_back(p);
  std::free(p);
}
class HookedAllocator {
 public:
  HookedAllocator() {
    gLog = &log;
    CZrfArrayBase::SetAllocatorForTesting(LoggingAlloc, LoggingFree);
  }
  ~HookedAllocator() {
    CZrfArrayBase::SetAllocatorForTesting(nullptr, nullptr);
    gLog = nullptr;
  }
  AllocLog log;
};

TEST(ZrfArray, StartsEmptyAndGrowsByDoublingFromSixteen) {
  CZrfArray<int32_t> a;
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(a.growBy, -1);
  EXPECT_EQ(a.data, nullptr);
  std::vector<int32_t> expectedCapacity;
  for (int32_t i = 0; i < 33; ++i) {
    ASSERT_EQ(a.Add(i), i);
    expectedCapacity.push_back(a.capacity);
  }
  EXPECT_EQ(expectedCapacity[0], 16);
  EXPECT_EQ(expectedCapacity[15], 16);
  EXPECT_EQ(expectedCapacity[16], 32);  // the 17th element
  EXPECT_EQ(expectedCapacity[31], 32);
  EXPECT_EQ(expectedCapacity[32], 64);  // the 33rd element
  for (int32_t i = 0; i < 33; ++i) EXPECT_EQ(*a.GetAt(i), i);
}

TEST(ZrfArray, FortyAtOnceAllocatesSixtyFour) {
  std::vector<int32_t> items(40, 7);
  CZrfArray<int32_t> a;
  EXPECT_EQ(a.Insert(items.data(), 0, 40), 0);
  EXPECT_EQ(a.capacity, 64);
  EXPECT_EQ(a.count, 40);
}

TEST(ZrfArray, FixedGrowthStepAddsThatManyElements) {
  CZrfArray<int32_t> a;
  a.growBy = 10;
  std::vector<int32_t> items(25, 1);
  ASSERT_EQ(a.Insert(items.data(), 0, 25), 0);
  EXPECT_EQ(a.capacity, 30);  // starts from growBy (10), then 20, 30
}

TEST(ZrfArray, PositionIsClampedAndOrderKept) {
  CZrfArray<int32_t> a;
  const int32_t first[] = {1, 2, 3};
  ASSERT_EQ(a.Insert(first, 0, 3), 0);
  const int32_t front = 0;
  EXPECT_EQ(a.Insert(&front, -5, 1), 0);
  const int32_t back = 9;
  EXPECT_EQ(a.Insert(&back, a.count + 10, 1), 4);
  const int32_t middle[] = {20, 21};
  EXPECT_EQ(a.Insert(middle, 2, 2), 2);
  EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 20, 21, 2, 3, 9}));
}

TEST(ZrfArray, NothingToInsertChangesNothing) {
  CZrfArray<int32_t> a;
  const int32_t x = 5;
  EXPECT_EQ(a.Insert(&x, 0, 0), -1);
  EXPECT_EQ(a.Insert(nullptr, 0, 3), -1);
  EXPECT_EQ(a.Insert(&x, 0, -2), -1);
  EXPECT_EQ(a.data, nullptr);
  a.Add(x);
  void* buffer = a.data;
  EXPECT_EQ(a.Insert(nullptr, 0, 1), -1);
  EXPECT_EQ(a.count, 1);
  EXPECT_EQ(a.data, buffer);
}

TEST(ZrfArray, ClearStartsAgainFromSixteen) {
  CZrfArray<int32_t> a;
  for (int32_t i = 0; i < 20; ++i) a.Add(i);
  EXPECT_EQ(a.capacity, 32);
  a.Clear();
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(a.data, nullptr);
  a.Clear();  // harmless on an empty array
  a.Add(1);
  EXPECT_EQ(a.capacity, 16);
}

TEST(ZrfArray, FailedAllocationLeavesArrayUnchanged) {
  HookedAllocator hook;
  CZrfArray<int32_t> a;
  for (int32_t i = 0; i < 16; ++i) a.Add(i);
  void* buffer = a.data;
  hook.log.fail = true;
  EXPECT_EQ(a.Add(99), -1);
  EXPECT_EQ(a.count, 16);
  EXPECT_EQ(a.capacity, 16);
  EXPECT_EQ(a.data, buffer);
  hook.log.fail = false;
  EXPECT_EQ(a.Add(99), 16);
  EXPECT_EQ(*a.GetAt(16), 99);
}

TEST(ZrfArray, CountThatWouldOverflowIsRefused) {
  int32_t storage[4] = {};
  CZrfArray<int32_t> a;
  a.Borrow(storage, 4);
  a.count = std::numeric_limits<int32_t>::max() - 1;  // as an owner may set it
  a.capacity = a.count;
  const int32_t two[2] = {1, 2};
  EXPECT_EQ(a.Insert(two, 0, 2), -1);
  EXPECT_EQ(a.data, storage);
  a.count = 0;
  a.capacity = 4;
}

TEST(ZrfArray, ByteSizeNeverWraps) {
  // 1 MiB records: 8000 of them is more than a 32-bit address space holds. The growth is refused
  // there, and elsewhere it asks for exactly the product, never a wrapped, smaller size.
  struct Megabyte {
    char bytes[1 << 20];
  };
  HookedAllocator hook;
  hook.log.fail = true;
  static char dummy[16];
  CZrfArray<Megabyte> a;
  a.Borrow(reinterpret_cast<Megabyte*>(dummy), 4000);
  a.count = 4000;
  static Megabyte one;
  EXPECT_EQ(a.Insert(&one, 0, 1), -1);
  EXPECT_EQ(a.count, 4000);
  EXPECT_EQ(a.capacity, 4000);
  for (size_t n : hook.log.requested) EXPECT_EQ(n, size_t(8000) << 20);
  a.count = 0;
}

TEST(ZrfArray, BorrowedStorageIsNeverFreed) {
  HookedAllocator hook;
  int32_t storage[4] = {};
  {
    CZrfArray<int32_t> a;
    a.Borrow(storage, 4);
    for (int32_t i = 0; i < 4; ++i) a.Add(i);
    EXPECT_EQ(a.data, storage);
    EXPECT_EQ(storage[3], 3);
    a.Add(4);  // outgrows the borrowed buffer: the elements move into one of the array's own
    EXPECT_NE(a.data, storage);
    EXPECT_FALSE(a.borrowed);
    EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 2, 3, 4}));
  }
  for (void* p : hook.log.freed) EXPECT_NE(p, static_cast<void*>(storage));
  EXPECT_EQ(hook.log.freed.size(), 1u);  // the array's own buffer, at destruction

  CZrfArray<int32_t> b;
  b.Borrow(storage, 4);
  b.Clear();
  EXPECT_EQ(b.data, nullptr);
  EXPECT_EQ(hook.log.freed.size(), 1u);
}

TEST(ZrfArray, ResizeBelowCountKeepsCountWithinCapacity) {
  CZrfArray<int32_t> a;
  for (int32_t i = 0; i < 20; ++i) a.Add(i);
  EXPECT_TRUE(a.Resize(20, -1));  // equal to count: nothing changes
  EXPECT_EQ(a.capacity, 32);
  EXPECT_TRUE(a.Resize(5, 8));
  EXPECT_EQ(a.capacity, 5);
  EXPECT_EQ(a.count, 5);
  EXPECT_EQ(a.growBy, 8);
  EXPECT_EQ(Contents(a), (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(a.Add(5), 5);  // grows by the stored step without writing past the small buffer
  EXPECT_EQ(a.capacity, 13);
  EXPECT_TRUE(a.Resize(100, -1));
  EXPECT_EQ(a.count, 6);
  EXPECT_FALSE(a.Resize(0, -1));
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(a.capacity, 0);
  EXPECT_EQ(a.data, nullptr);
}

TEST(ZrfArray, RecordsAreCopiedAsBytes) {
  struct Path {
    char text[260];
  };
  CZrfArray<Path> a;
  Path p{};
  for (int i = 0; i < 3; ++i) {
    snprintf(p.text, sizeof p.text, "C:\\folder\\file%d.zrd", i);
    a.Add(p);
  }
  const Path inserted = {"first"};
  a.Insert(&inserted, 0, 1);
  EXPECT_STREQ(a.GetAt(0)->text, "first");
  EXPECT_STREQ(a.GetAt(3)->text, "C:\\folder\\file2.zrd");
}

}  // namespace
