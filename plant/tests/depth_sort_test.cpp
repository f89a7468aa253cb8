// The painter's order: the order of equal keys is part of the picture.
#include "plant/depth_sort.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace plant {
namespace {

TEST(SortByKey, EqualKeysLandInThePartitionsOrder) {
  // Records 1..4 (a, b, c, d) with keys 1, 0, 1, 1, traced by hand through the partition.
  std::vector<DepthRecord> r{{9, 'z'}, {1, 'a'}, {0, 'b'}, {1, 'c'}, {1, 'd'}};
  SortByKey(r.data(), 1, 4);
  EXPECT_EQ(r[0].reference, uint32_t('z'));
  EXPECT_EQ(r[1].reference, uint32_t('b'));
  EXPECT_EQ(r[2].reference, uint32_t('c'));
  EXPECT_EQ(r[3].reference, uint32_t('d'));
  EXPECT_EQ(r[4].reference, uint32_t('a'));
}

TEST(SortByKey, EmptyAndSingleRangesChangeNothing) {
  std::vector<DepthRecord> r{{3, 0}, {1, 1}};
  SortByKey(r.data(), 1, 1);
  SortByKey(r.data(), 1, 0);
  EXPECT_EQ(r[0].key, 3);
  EXPECT_EQ(r[1].key, 1);
}

TEST(SortByKey, RandomKeysComeOutAscending) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 50);
  for (int round = 0; round < 50; ++round) {
    std::vector<DepthRecord> r(1 + round * 13);
    for (size_t i = 0; i < r.size(); ++i) r[i] = {double(pick(random)), uint32_t(i)};
    SortByKey(r.data(), 0, int32_t(r.size()) - 1);
    for (size_t i = 1; i < r.size(); ++i) ASSERT_LE(r[i - 1].key, r[i].key);
  }
}

// Nodes whose depth grows with their index are the common case; a sort that always recursed on
// the left part would go one call deep per record on the worker's stack (the fixed pivot choice
// makes such input quadratic in time, so the count stays moderate).
TEST(SortByKey, SortedAndReversedInputsDoNotExhaustTheStack) {
  std::vector<DepthRecord> r(20000);
  for (size_t i = 0; i < r.size(); ++i) r[i] = {double(i), uint32_t(i)};
  SortByKey(r.data(), 0, int32_t(r.size()) - 1);
  EXPECT_EQ(r.back().reference, 19999u);
  for (size_t i = 0; i < r.size(); ++i) r[i] = {-double(i), uint32_t(i)};
  SortByKey(r.data(), 0, int32_t(r.size()) - 1);
  EXPECT_EQ(r.front().reference, 19999u);
}

}  // namespace
}  // namespace plant
