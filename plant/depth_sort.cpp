// Quicksort of depth records; see depth_sort.h.
#include "plant/depth_sort.h"

#include <utility>

namespace plant {
namespace {

// Partitions records[lo..hi] around the key of records[hi] and returns where the pivot lands.
// Requires: lo < hi. The scans stay inside lo..hi: i stops at hi, and j starts at hi and after
// every swap is above i >= lo, so its first step never goes below lo.
int32_t Partition(DepthRecord* records, int32_t lo, int32_t hi) {
  const double pivot = records[hi].key;
  int32_t i = lo - 1;
  int32_t j = hi;
  for (;;) {
    ++i;
    while (i < hi && records[i].key < pivot) {
      ++i;
    }
    --j;
    while (j > lo && records[j].key > pivot) {
      --j;
    }
    if (i >= j) {
      break;
    }
    std::swap(records[i], records[j]);
  }
  std::swap(records[i], records[hi]);
  return i;
}

}  // namespace

void SortByKey(DepthRecord* records, int32_t lo, int32_t hi) {
  // The two parts are independent, so sorting the smaller one first by recursion and the larger
  // one by looping leaves the same order as always recursing on the left, without a stack depth
  // that grows with the count for already sorted keys.
  while (lo < hi) {
    const int32_t p = Partition(records, lo, hi);
    if (p - lo < hi - p) {
      SortByKey(records, lo, p - 1);
      lo = p + 1;
    } else {
      SortByKey(records, p + 1, hi);
      hi = p - 1;
    }
  }
}

}  // namespace plant
