// Data-folder rules and the Init copy targets.
#include "framework/files/data_folders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>


namespace {

InstallRecord Install(int16_t custom, int16_t appendUser, const char* customFolder) {
  InstallRecord record{};
  record.useCustomDataFolder = custom;
  record.appendUserName = appendUser;
  std::strcpy(record.customDataFolder, customFolder);
  return record;
}

TEST(DataFolderRules, PerUserAndAllUsersFoldersOrTheCustomOne) {
  struct Case {
    InstallRecord install;
    const char* data;
    const char* common;
  };
  const Case cases[] = {
      {Install(0, 1, "D:\\Ignored"), "C:\\Users\\ann\\AppData\\Roaming\\Brambeck\\Verdelo",
       "C:\\ProgramData\\Brambeck\\Verdelo"},
      {Install(1, 0, "D:\\Shared\\Plants"), "D:\\Shared\\Plants", "D:\\Shared\\Plants"},
      {Install(1, 1, "D:\\Shared\\Plants"), "D:\\Shared\\Plants\\ann", "D:\\Shared\\Plants"},
      {Install(-1, 0, "\\\\server\\p"), "\\\\server\\p", "\\\\server\\p"},
  };
  for (const Case& c : cases) {
    DataFolders folders;
    WorkOutDataFolders(c.install, "Verdelo", "C:\\Users\\ann\\AppData\\Roaming", "C:\\ProgramData", "ann",
                       &folders);
    EXPECT_STREQ(folders.dataFolder, c.data);
    EXPECT_STREQ(folders.commonDataFolder, c.common);
  }
  EXPECT_TRUE(IsSameFolder("D:\\Shared\\Plants", "d:\\SHARED\\plants"));
  EXPECT_FALSE(IsSameFolder("D:\\Shared\\Plants", "D:\\Shared\\Plants\\ann"));
}

TEST(DataFolderRules, MissingBasesAndOverlongResultsLeaveTheFolderEmpty) {
  DataFolders folders;
  WorkOutDataFolders(Install(0, 0, ""), "Verdelo", "", nullptr, "ann", &folders);
  EXPECT_STREQ(folders.dataFolder, "");  // not "\Brambeck\Verdelo" on the current drive
  EXPECT_STREQ(folders.commonDataFolder, "");

  const std::string longBase = "C:\\" + std::string(240, 'a');
  WorkOutDataFolders(Install(0, 0, ""), "Verdelo", longBase.c_str(), "C:\\ProgramData", "ann", &folders);
  EXPECT_STREQ(folders.dataFolder, "");
  EXPECT_STREQ(folders.commonDataFolder, "C:\\ProgramData\\Brambeck\\Verdelo");

  InstallRecord full = Install(1, 1, "");
  std::memset(full.customDataFolder, 'x', sizeof full.customDataFolder);  // no terminator
  WorkOutDataFolders(full, "Verdelo", "C:\\A", "C:\\B", "ann", &folders);
  EXPECT_STREQ(folders.dataFolder, "");
  EXPECT_EQ(std::strlen(folders.commonDataFolder), 259u);
  WorkOutDataFolders(Install(1, 1, "D:\\P"), "Verdelo", "C:\\A", "C:\\B", "", &folders);
  EXPECT_STREQ(folders.dataFolder, "");
}

TEST(InitCopy, TargetsKeepThePathBelowTheInitFolder) {
  char target[kDataFolderSize];
  EXPECT_TRUE(InitCopyTarget("C:\\P\\Init", "C:\\P\\Init\\a.plt", "D:\\Data", target));
  EXPECT_STREQ(target, "D:\\Data\\a.plt");
  EXPECT_TRUE(InitCopyTarget("C:\\P\\Init", "C:\\P\\Init\\sub\\b.zrd", "D:\\Data", target));
  EXPECT_STREQ(target, "D:\\Data\\sub\\b.zrd");
  EXPECT_FALSE(InitCopyTarget("C:\\P\\Init", "C:\\P\\Initial\\x", "D:\\Data", target));
  EXPECT_STREQ(target, "");
  EXPECT_FALSE(InitCopyTarget("C:\\P\\Init", "C:\\P\\Init\\", "D:\\Data", target));
  EXPECT_FALSE(InitCopyTarget("C:\\P\\Init", "C:\\Q\\a", "D:\\Data", target));
  const std::string deep = "C:\\P\\Init\\" + std::string(252, 'n');  // 8 + 252 characters do not fit
  EXPECT_FALSE(InitCopyTarget("C:\\P\\Init", deep.c_str(), "D:\\Data", target));
}

}  // namespace
