// The one-folder scan over a real folder: matches one at a time with their paths, a missing
// folder, bare names, a percent sign in a folder name, and closing.
#include "maintenance/file_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "framework/files/tests/temp_tree.h"

namespace {

std::set<std::string> AllPaths(CFileScan& scan) {
  std::set<std::string> paths;
  while (scan.FindNext()) paths.insert(scan.GetFilePath());
  return paths;
}

TEST(FileScan, GivesEveryMatchOfOneFolderWithItsPath) {
  TempTree tree("verdelo-file-scan");
  tree.File("Verdelo-1.BrambeckConfig");
  tree.File("Other.brambeckconfig");
  tree.File("notes.txt");
  tree.File("deeper/Verdelo-2.BrambeckConfig");
  CFileScan scan("%s%c*.%s", tree.Root().c_str(), kPathSeparator, "BrambeckConfig");
  EXPECT_STREQ(scan.GetFilePath(), "");
  EXPECT_EQ(AllPaths(scan), (std::set<std::string>{tree.Path("Verdelo-1.BrambeckConfig"),
                                                   tree.Path("Other.brambeckconfig")}));
  EXPECT_EQ(scan.matchCount, 2);
  EXPECT_FALSE(scan.FindNext());  // an ended search stays ended until it is closed
  EXPECT_EQ(scan.Close(), 1);
  EXPECT_EQ(scan.Close(), -1);

  // "*" also gives folders and the "." and ".." entries.
  ASSERT_TRUE(scan.FindFirst("%s%c*", tree.Root().c_str(), kPathSeparator));
  const std::string first = scan.GetFilePath();
  std::set<std::string> all = AllPaths(scan);
  all.insert(first);
  EXPECT_EQ(all.size(), 6u);
  EXPECT_TRUE(all.count(tree.Path("deeper")));
  EXPECT_TRUE(all.count(tree.Path("..")));
}

TEST(FileScan, MissingFolderAndNoMatchOpenNoSearch) {
  TempTree tree("verdelo-file-scan-none");
  CFileScan scan("%s%cmissing%c*.*", tree.Root().c_str(), kPathSeparator, kPathSeparator);
  EXPECT_FALSE(scan.FindNext());
  EXPECT_EQ(scan.Close(), -1);
  EXPECT_FALSE(scan.FindFirst("%s%c*.none", tree.Root().c_str(), kPathSeparator));
  EXPECT_EQ(scan.Close(), -1);
}

TEST(FileScan, PatternFormattedOnceAndBareNamesWithoutAFolder) {
  TempTree tree("verdelo-file-scan-percent");
  tree.File("50%d/a.zrd");
  const std::string folder = tree.Path("50%d");
  CFileScan scan("%s%c*.zrd", folder.c_str(), kPathSeparator);
  ASSERT_TRUE(scan.FindNext());
  EXPECT_EQ(scan.GetFilePath(), tree.Path("50%d/a.zrd"));

  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  scan.Reset("*.zrd");
  ASSERT_TRUE(scan.FindNext());
  EXPECT_STREQ(scan.GetFilePath(), "a.zrd");
  (void)scan.Close();
  std::filesystem::current_path(before);
}

}  // namespace
