// Sorted insertion and bisection search of the command-icon table, against a plain sorted list.
#include "framework/style/icon_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

void Insert(CZrfArray<IconEntry>& table, uint16_t id) {
  IconEntry entry{};
  entry.commandId = id;
  ASSERT_GE(table.Insert(&entry, IconInsertPosition(table, id), 1), 0);
}

std::vector<uint16_t> Ids(const CZrfArray<IconEntry>& table) {
  std::vector<uint16_t> ids;
  for (int32_t i = 0; i < table.count; ++i) ids.push_back(table.GetAt(i)->commandId);
  return ids;
}

TEST(IconTable, InsertsInOrderAndFinds) {
  CZrfArray<IconEntry> table;
  EXPECT_EQ(FindIconPosition(table, 5), -1);
  EXPECT_EQ(IconInsertPosition(table, 5), 0);
  Insert(table, 5);
  Insert(table, 3);
  Insert(table, 9);
  EXPECT_EQ(Ids(table), (std::vector<uint16_t>{3, 5, 9}));
  EXPECT_EQ(FindIconPosition(table, 3), 0);
  EXPECT_EQ(FindIconPosition(table, 9), 2);
  EXPECT_EQ(FindIconPosition(table, 4), -1);
  EXPECT_EQ(FindIconPosition(table, 0xFFFF), -1);
}

TEST(IconTable, EveryOrderOfUpTo300IdsStaysSortedAndSearchable) {
  std::mt19937 random(1234);
  for (int size = 0; size <= 300; size += (size < 10 ? 1 : 23)) {
    std::vector<uint16_t> ids;
    for (int i = 0; i < size; ++i) ids.push_back(static_cast<uint16_t>(0xF000 + 3 * i));
    std::shuffle(ids.begin(), ids.end(), random);
    CZrfArray<IconEntry> table;
    for (uint16_t id : ids) Insert(table, id);
    std::vector<uint16_t> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(Ids(table), sorted) << size;
    for (int i = 0; i < size; ++i) {
      const uint16_t present = static_cast<uint16_t>(0xF000 + 3 * i);
      ASSERT_EQ(FindIconPosition(table, present), i) << size;
      ASSERT_EQ(FindIconPosition(table, static_cast<uint16_t>(present + 1)), -1) << size;
    }
    ASSERT_EQ(FindIconPosition(table, 0xEFFF), -1) << size;
  }
}

}  // namespace
