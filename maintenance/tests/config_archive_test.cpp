// Configuration archives: the product entry's bytes, the patterns of the files taken along, and an
// archive that cannot be completed. (Which files go in, and the verdicts on archives offered for
// restoring, are shown under Windows by config_transfer_win_test.cpp.)
#include "maintenance/config_archive.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "framework/files/tests/temp_tree.h"
#include "maintenance/tests/sample_data_folder.h"
#include "zip/zip_file.h"

namespace {

TEST(ConfigArchive, ProductEntryIsKeepListNulVersion) {
  char entry[kProductEntryCapacity];
  const int32_t version[3] = {1, 2, 3};
  ASSERT_EQ(BuildProductEntry("", version, entry), 6u);
  EXPECT_EQ(std::string(entry, 6), std::string("\0"
                                               "1.2.3",
                                               6));
  // The longest keep list and version fill the buffer to its last byte but one.
  const std::string keep(300, 'k');
  const int32_t widest[3] = {INT_MIN, INT_MIN, INT_MIN};
  ASSERT_EQ(BuildProductEntry(keep.c_str(), widest, entry), kProductEntryCapacity - 1);
  EXPECT_EQ(std::string(entry + 260), "-2147483648.-2147483648.-2147483648");

  char patterns[kFileListPatternsSize];
  BuildConfigFilePatterns("*.plt;*.pim", patterns);
  EXPECT_STREQ(patterns, "*.zrd;*.plt;*.pim");
  BuildConfigFilePatterns("", patterns);
  EXPECT_STREQ(patterns, "*.zrd");
}

bool FailingFlush(zip::OsHandle) { return false; }

TEST(ConfigArchive, ArchiveThatCannotBeCompletedLeavesNoNewFile) {
  TempTree tree("verdelo-config-archive");
  FillSampleDataFolder(tree, "data");
  const std::string data = tree.Path("data");
  const ConfigArchiveSource source{data.c_str(), "Verdelo", "", "*.plt;*.pim", {1, 2, 3}};
  const std::string archive = tree.Path("backup.BrambeckConfig");
  tree.File("backup.BrambeckConfig", "yesterday's archive");
  // Every byte is written, but pushing them to the disk fails: a full disk seen at the close.
  zip::FileCalls calls = zip::SystemFileCalls();
  calls.flush = FailingFlush;
  zip::SetFileCallsForTesting(&calls);
  const TransferResult result = WriteConfigArchive(source, archive.c_str(), true);
  zip::SetFileCallsForTesting(nullptr);
  EXPECT_EQ(result, TransferResult::ArchiveError);
  EXPECT_EQ(tree.Read("backup.BrambeckConfig"), "yesterday's archive");
  EXPECT_FALSE(tree.Exists("backup.BrambeckConfig_tmp"));
  EXPECT_EQ(WriteConfigArchive(source, tree.Path("missing/x.BrambeckConfig").c_str(), true),
            TransferResult::ArchiveError);
}

}  // namespace
