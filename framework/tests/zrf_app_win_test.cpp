// The application object under Windows: its state before start-up, patterns, the settings
// record's load and save rules on a real data folder, and the install record of its product.
#include "framework/zrf_app_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "framework/scoped_handles_win.h"
#include "framework/zrf_results.h"

namespace {

std::string FreshFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ZrfApp, StateBeforeStartUp) {
  // The object exists before main: these are the values the start-up begins from.
  EXPECT_EQ(gApp.dialogIconId, 1);
  EXPECT_EQ(int(gApp.settings.colorScheme), 255);
  EXPECT_EQ(uint32_t(gApp.settings.customColors[kColorBackground]), 0x00EE6E18u);
  EXPECT_EQ(uint32_t(gApp.settings.customColors[kColorFocus]), 0x0055ADFFu);
  EXPECT_EQ(gApp.install.installFolder[0], '\0');
  EXPECT_EQ(gApp.osCode, 0);
  EXPECT_TRUE(gApp.IsSameVersion());
  // The string table follows the settings' language; framework texts exist in every language.
  EXPECT_STREQ(gApp.strings.FindString(0xF200, 0), "OK");
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

TEST(ZrfApp, InstallRecordOfTheProduct) {
  std::strcpy(gApp.productName, "VerdeloAppTest");
  EXPECT_EQ(gApp.LoadInstallRecord(), ZRF_ERR_INSTALL);
  unsigned char value[1326] = {};
  std::memcpy(value + 20, "C:\\Verdelo", 11);
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), gApp.productName, 0, REG_BINARY, value, sizeof value), ERROR_SUCCESS);
  EXPECT_EQ(gApp.LoadInstallRecord(), ZRF_OK);
  EXPECT_STREQ(gApp.install.installFolder, "C:\\Verdelo");
  RegDeleteValueA(key.Get(), gApp.productName);
}

}  // namespace
