// The prune list keeps archives newest first by creation time. (Which files of a real folder are
// deleted is shown under Windows by scheduled_archive_win_test.cpp.)
#include "maintenance/archive_prune.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(ArchivePrune, ListStaysNewestFirst) {
  CZrfArray<ArchiveRow> list;
  // Times that differ in the high half, in the low half, and one equal pair (kept in arrival order).
  const std::pair<const char*, uint64_t> rows[] = {{"b", 0x1'00000005},
                                                   {"a", 0x2'00000000},
                                                   {"d", 0x1'00000001},
                                                   {"c", 0x1'00000005},
                                                   {"e", 0x3'00000000}};
  for (const auto& [path, time] : rows) {
    ArchiveRow row{};
    std::snprintf(row.path, sizeof row.path, "%s", path);
    row.createdLow = uint32_t(time);
    row.createdHigh = uint32_t(time >> 32);
    ASSERT_GE(InsertArchiveByTime(list, row), 0);
  }
  std::vector<std::string> order;
  for (int32_t i = 0; i < list.count; ++i) order.push_back(list.GetAt(i)->path);
  EXPECT_EQ(order, (std::vector<std::string>{"e", "a", "b", "c", "d"}));
}

}  // namespace
