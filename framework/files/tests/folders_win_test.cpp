// Folder helpers on the real file system under Windows.
#include "framework/files/folders_win.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "framework/files/folder_path.h"

namespace {

std::string TempRoot() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "fld" + std::to_string(GetCurrentProcessId());
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CreateFolderPathWin, MakesEveryMissingLevel) {
  std::string root = TempRoot();
  EXPECT_EQ(CreateFolderPath((root + "\\x\\y\\z").c_str(), false), kFolderReady);
  EXPECT_TRUE(IsFolder(root + "\\x\\y\\z"));
  EXPECT_EQ(CreateFolderPath((root + "\\x\\y\\z\\").c_str(), false), kFolderReady);
  EXPECT_EQ(CreateFolderPath("", false), kFolderEmptyPath);
  // A file in the way of a level: the level cannot be made.
  HANDLE file = CreateFileA((root + "\\file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  EXPECT_EQ(CreateFolderPath((root + "\\file\\sub").c_str(), false), kFolderNotCreated);
}

TEST(TestDataFolderWritable, WritableMissingAndTrailingBackslash) {
  std::string root = TempRoot();
  ASSERT_EQ(CreateFolderPath(root.c_str(), false), kFolderReady);
  EXPECT_EQ(TestDataFolderWritable(root.c_str()), 0);
  EXPECT_EQ(TestDataFolderWritable((root + "\\").c_str()), 0);
  EXPECT_EQ(GetFileAttributesA((root + "\\ZRFWriteTest.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(TestDataFolderWritable((root + "\\missing").c_str()), 2);
}

TEST(GetSpecialFolderPath, AppDataExists) {
  char path[MAX_PATH] = "x";
  GetSpecialFolderPath(CSIDL_APPDATA, path);
  EXPECT_TRUE(IsFolder(path)) << path;
  GetSpecialFolderPath(0x7FFF, path);  // no such folder
  EXPECT_STREQ(path, "");
}

}  // namespace
