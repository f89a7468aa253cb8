// Pruning: the list order by creation time, and which files of a real folder are deleted.
#include "maintenance/archive_prune.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/files/tests/temp_tree.h"

namespace {

ArchiveRow Row(const char* path, uint64_t created) {
  ArchiveRow row{};
  std::snprintf(row.path, sizeof row.path, "%s", path);
  row.createdLow = uint32_t(created);
  row.createdHigh = uint32_t(created >> 32);
  return row;
}

TEST(ArchivePrune, ListStaysNewestFirst) {
  CZrfArray<ArchiveRow> list;
  // Times that differ only in the high half, in the low half, and one equal pair.
  const std::pair<const char*, uint64_t> rows[] = {{"b", 0x1'00000005},
                                                   {"a", 0x2'00000000},
                                                   {"d", 0x1'00000001},
                                                   {"c", 0x1'00000005},
                                                   {"e", 0x3'00000000}};
  for (const auto& [path, time] : rows) ASSERT_GE(InsertArchiveByTime(list, Row(path, time)), 0);
  std::vector<std::string> order;
  for (int32_t i = 0; i < list.count; ++i) order.push_back(list.GetAt(i)->path);
  EXPECT_EQ(order, (std::vector<std::string>{"e", "a", "b", "c", "d"}));
}

TEST(ArchivePrune, DeletesOnlyThisProductsArchivesBeyondTheKeepCount) {
  TempTree tree("verdelo-prune");
  for (const char* name : {"Verdelo-1.BrambeckConfig", "verdelo-2.BrambeckConfig", "Verdelo-3.brambeckconfig",
                           "My Verdelo.BrambeckConfig", "Verdelo-5.BrambeckConfig"}) {
    tree.File(name);
  }
  tree.File("Other-1.BrambeckConfig");
  tree.File("Verdelo-6.zip");
  tree.Folder("Verdelo-7.BrambeckConfig");
  const std::string folder = tree.Root() + kPathSeparator;
  EXPECT_EQ(PruneArchives(folder.c_str(), "Verdelo", 5), 0);
  EXPECT_EQ(PruneArchives(folder.c_str(), "Verdelo", 2), 3);
  EXPECT_TRUE(tree.Exists("Other-1.BrambeckConfig"));
  EXPECT_TRUE(tree.Exists("Verdelo-6.zip"));
  EXPECT_TRUE(tree.Exists("Verdelo-7.BrambeckConfig"));
  EXPECT_EQ(PruneArchives(folder.c_str(), "Verdelo", 0), 1);  // one archive always stays
}

}  // namespace
