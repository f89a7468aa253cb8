// Creating missing folder levels over an in-memory file system.
#include "framework/folder_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/tests/fake_file_ops.h"

namespace {

std::vector<std::string> MadeFolders(const FakeFileOps& fs) {
  std::vector<std::string> made;
  for (const auto& call : fs.calls)
    if (call.rfind("mkdir ", 0) == 0) made.push_back(call.substr(6));
  return made;
}

TEST(CreateFolderPath, ExistingFolderCreatesNothing) {
  FakeFileOps fs;
  fs.folders = {"C:", "C:\\data"};
  EXPECT_EQ(CreateFolderPath(fs, "C:\\data", true), kFolderReady);
  EXPECT_TRUE(fs.calls.empty());
}

TEST(CreateFolderPath, ThreeMissingLevelsAreMadeFromTheTopDown) {
  FakeFileOps fs;
  fs.folders = {"C:", "C:\\data"};
  EXPECT_EQ(CreateFolderPath(fs, "C:\\data\\a\\b\\c", false), kFolderReady);
  std::vector<std::string> expected = {"C:\\data\\a", "C:\\data\\a\\b", "C:\\data\\a\\b\\c"};
  EXPECT_EQ(MadeFolders(fs), expected);
  EXPECT_EQ(fs.folders.count("C:\\data\\a\\b\\c"), 1u);
}

TEST(CreateFolderPath, NoExistingPrefixStartsWithTheFirstComponent) {
  FakeFileOps fs;
  fs.folders = {""};  // the fake's parent of a path without backslash
  EXPECT_EQ(CreateFolderPath(fs, "top\\sub", false), kFolderReady);
  std::vector<std::string> expected = {"top", "top\\sub"};
  EXPECT_EQ(MadeFolders(fs), expected);
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
  EXPECT_EQ(fs.pauses, 0);

  fs.foldersThatFail.insert("C:\\no");
  EXPECT_EQ(CreateFolderPath(fs, "C:\\no\\deeper", false), kFolderNotCreated);
  EXPECT_EQ(fs.pauses, 0);
  EXPECT_EQ(CreateFolderPath(fs, "C:\\no\\deeper", true), kFolderNotCreated);
  EXPECT_EQ(fs.pauses, 1);
  EXPECT_EQ(fs.folders.count("C:\\no\\deeper"), 0u);
}

}  // namespace
