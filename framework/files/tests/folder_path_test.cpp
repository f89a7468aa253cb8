// Creating missing folder levels over an in-memory file system.
#include "framework/files/folder_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/files/tests/fake_file_ops.h"

namespace {

TEST(CreateFolderPath, CreatesOnlyWhatIsMissingFromTheTopDown) {
  FakeFileOps fs;
  fs.folders = {"C:", "C:\\data"};
  EXPECT_EQ(CreateFolderPath(fs, "C:\\data", true), kFolderReady);
  EXPECT_TRUE(fs.calls.empty());
  EXPECT_EQ(CreateFolderPath(fs, "C:\\data\\a\\b\\c", false), kFolderReady);
  EXPECT_EQ(fs.calls, (std::vector<std::string>{"mkdir C:\\data\\a", "mkdir C:\\data\\a\\b",
                                                "mkdir C:\\data\\a\\b\\c"}));
  fs.folders = {""};  // nothing exists: the first component is the first level made
  fs.calls.clear();
  EXPECT_EQ(CreateFolderPath(fs, "top\\sub", false), kFolderReady);
  EXPECT_EQ(fs.calls, (std::vector<std::string>{"mkdir top", "mkdir top\\sub"}));
}

TEST(CreateFolderPath, RefusedAndFailedPaths) {
  FakeFileOps fs;
  fs.folders = {"C:"};
  EXPECT_EQ(CreateFolderPath(fs, "", true), kFolderEmptyPath);
  EXPECT_EQ(CreateFolderPath(fs, nullptr, true), kFolderEmptyPath);
  // 519 characters are worked on; 520 would have to be cut, and a cut path is another folder.
  std::string longest = "C:\\" + std::string(516, 'x');
  EXPECT_EQ(CreateFolderPath(fs, longest.c_str(), false), kFolderReady);
  fs.calls.clear();
  EXPECT_EQ(CreateFolderPath(fs, (longest + "x").c_str(), true), kFolderNotCreated);
  EXPECT_TRUE(fs.calls.empty());
  fs.foldersThatFail.insert("C:\\no");
  EXPECT_EQ(CreateFolderPath(fs, "C:\\no\\deeper", false), kFolderNotCreated);
  EXPECT_EQ(fs.pauses, 0);
  EXPECT_EQ(CreateFolderPath(fs, "C:\\no\\deeper", true), kFolderNotCreated);
  EXPECT_EQ(fs.pauses, 1);
}

}  // namespace
