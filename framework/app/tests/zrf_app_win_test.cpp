// The application object under Windows: its state before start-up, patterns, the settings
// record's load and save rules on a real data folder.
#include "framework/app/zrf_app_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string FreshFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ZrfApp, StringTableFollowsTheSettingsLanguage) {
  // The object exists before main, its settings at their defaults; framework texts exist in
  // every language.
  EXPECT_EQ(uint32_t(gApp.settings.customColors[kColorFocus]), 0x0055ADFFu);
  gApp.settings.language = 1;
  EXPECT_STREQ(gApp.strings.FindString(0xF200, 0), "OK");
  gApp.settings.language = 0;
}

TEST(ZrfApp, FilePatternsAreCutTo259Characters) {
  std::string longText(300, 'p');
  gApp.SetFilePatterns(longText.c_str(), "*.keep");
  EXPECT_EQ(std::strlen(gApp.dataFilePatterns), 259u);
  EXPECT_STREQ(gApp.keepPatterns, "*.keep");
  gApp.SetFilePatterns("*.plt;*.pim", nullptr);
  EXPECT_STREQ(gApp.dataFilePatterns, "*.plt;*.pim");
  EXPECT_STREQ(gApp.keepPatterns, "");
}

TEST(ZrfApp, SettingsLoadValidateAndSave) {
  std::string folder = FreshFolder("app");
  std::strcpy(gApp.dataFolder, folder.c_str());
  // A stored record of an older version with an unknown language.
  SettingsRecord stored = DefaultSettingsRecord();
  stored.language = 7;
  stored.settingsVersion = 2;
  stored.colorScheme = kColorSchemeCustom;
  ASSERT_EQ(WriteDataFile(kSettingsFileName, kNoFileNumber, &stored, sizeof stored, kDataFolderLocation),
            297u);
  gApp.LoadSettings(3);
  EXPECT_FALSE(gApp.IsSameVersion());
  EXPECT_EQ(int32_t(gApp.settings.language), 0);
  EXPECT_EQ(int32_t(gApp.settings.settingsVersion), 3);
  EXPECT_EQ(int(gApp.settings.colorScheme), 2);

  // A failed start sets noSave: the file keeps what it held.
  gApp.noSave = 1;
  EXPECT_FALSE(gApp.SaveSettings());
  SettingsRecord onDisk;
  ASSERT_EQ(ReadDataFile(kSettingsFileName, -1, &onDisk, sizeof onDisk, 0), 297u);
  EXPECT_EQ(int32_t(onDisk.settingsVersion), 2);
  gApp.noSave = 0;
  EXPECT_TRUE(gApp.SaveSettings());
  ASSERT_EQ(ReadDataFile(kSettingsFileName, -1, &onDisk, sizeof onDisk, 0), 297u);
  EXPECT_EQ(int32_t(onDisk.settingsVersion), 3);
  gApp.LoadSettings(3);
  EXPECT_TRUE(gApp.IsSameVersion());

  // Without a data folder nothing is written anywhere (not at the root of the drive).
  gApp.dataFolder[0] = '\0';
  EXPECT_FALSE(gApp.SaveSettings());
  EXPECT_FALSE(Exists("\\(ZRF)App.zrd"));
}

}  // namespace
