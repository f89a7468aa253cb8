// The one-folder scan over a real folder: its matches with their paths, folders and the dot
// entries, a missing folder, a percent sign in a folder name, bare names, and closing.
#include "maintenance/file_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "framework/files/tests/temp_tree.h"

namespace {

std::set<std::string> Remaining(CFileScan& scan) {
  std::set<std::string> paths;
  while (scan.FindNext()) paths.insert(scan.GetFilePath());
  return paths;
}

TEST(FileScan, MatchesOfOneFolderWithTheirPaths) {
  TempTree tree("verdelo-file-scan");
  tree.File("50%d/Verdelo-1.BrambeckConfig");
  tree.File("50%d/other.brambeckconfig");
  tree.File("50%d/notes.txt");
  tree.File("50%d/deeper/Verdelo-2.BrambeckConfig");
  const std::string folder = tree.Path("50%d");  // formatted once: "%d" stays as it is
  CFileScan scan("%s%c*.%s", folder.c_str(), kPathSeparator, "BrambeckConfig");
  EXPECT_STREQ(scan.GetFilePath(), "");
  EXPECT_EQ(Remaining(scan), (std::set<std::string>{tree.Path("50%d/Verdelo-1.BrambeckConfig"),
                                                    tree.Path("50%d/other.brambeckconfig")}));
  EXPECT_EQ(scan.matchCount, 2);
  EXPECT_FALSE(scan.FindNext());  // an ended search stays ended until it is closed
  EXPECT_EQ(scan.Close(), 1);
  EXPECT_EQ(scan.Close(), -1);

  // "*" gives folders and "." and ".." too; the first match is current after FindFirst.
  ASSERT_TRUE(scan.FindFirst("%s%c*", folder.c_str(), kPathSeparator));
  std::set<std::string> all{scan.GetFilePath()};
  all.merge(Remaining(scan));
  EXPECT_EQ(all.size(), 6u);
  EXPECT_TRUE(all.count(tree.Path("50%d/deeper")) && all.count(tree.Path("50%d/..")));

  EXPECT_FALSE(scan.FindFirst("%s%c*.none", folder.c_str(), kPathSeparator));
  EXPECT_EQ(scan.Close(), -1);
  scan.Reset("%s%cmissing%c*.*", folder.c_str(), kPathSeparator, kPathSeparator);
  EXPECT_FALSE(scan.FindNext());

  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  scan.Reset("*.txt");
  ASSERT_TRUE(scan.FindNext());
  EXPECT_STREQ(scan.GetFilePath(), "notes.txt");
  (void)scan.Close();
  std::filesystem::current_path(before);
}

}  // namespace
