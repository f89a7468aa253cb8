// The prune list keeps archives newest first by creation time, and the temporary files of archive
// writes cut short go once a day old, never another file. (Which archives of a real folder are
// deleted is shown under Windows by scheduled_archive_win_test.cpp.)
#include "maintenance/archive_prune.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/files/tests/temp_tree.h"

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

TEST(ArchivePrune, StaleTemporaryFilesOfThisProductsArchivesGo) {
  TempTree tree("archive-prune");
  const std::vector<std::string> stale = {"Verdelo-2026.12.08.BrambeckConfig_tmp",
                                          "VERDELO-2026.12.08.BRAMBECKCONFIG_99_tmp"};
  const std::vector<std::string> others = {
      "Verdelo-2026.12.08.BrambeckConfig",          // the archive itself
      "Verdelo-2026.12.08.BrambeckConfig_100_tmp",  // no name the writer makes
      "Verdelo-2026.12.08.BrambeckConfig_01_tmp",
      "Other-2026.12.08.BrambeckConfig_tmp",  // another product's
      "Verdelo-Options.zrd_tmp",              // not an archive's
      "Verdelo_tmp"};
  const std::string writing = "Verdelo-2026.12.09.BrambeckConfig_1_tmp";  // a write under way
  auto makeAged = [&](const std::string& name, int hours) {
    tree.File(name);
    const std::filesystem::path path(tree.Path(name));
    std::filesystem::last_write_time(path,
                                     std::filesystem::last_write_time(path) - std::chrono::hours(hours));
  };
  for (const std::string& name : stale) makeAged(name, 25);
  for (const std::string& name : others) makeAged(name, 25);
  makeAged(writing, 23);

  EXPECT_EQ(RemoveStaleTemporaries((tree.Root() + kPathSeparator).c_str(), "verdelo", std::time(nullptr)), 2);
  for (const std::string& name : stale) EXPECT_FALSE(tree.Exists(name)) << name;
  for (const std::string& name : others) EXPECT_TRUE(tree.Exists(name)) << name;
  EXPECT_TRUE(tree.Exists(writing));
}

}  // namespace
