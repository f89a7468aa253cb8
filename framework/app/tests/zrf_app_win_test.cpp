// The application object under Windows: its state before start-up, patterns, the settings
// record's load and save rules on a real data folder, and the save from its destructor at exit.
#include "framework/app/zrf_app_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "framework/base/scoped_handles_win.h"
#include "framework/files/file_ops_win.h"

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

// Names the data folder of a child process of this test program that saves at exit.
constexpr char kSaveAtExitVariable[] = "VERDELO_TEST_SAVE_AT_EXIT";
constexpr uint32_t kExitMarkerColor = 0x00123456;

void SaveFromTheDestructor() { (void)gApp.SaveSettings(); }

// The child: a program that loaded its settings (so the file operations came to life after the
// application object) and saves them from the application object's destructor, after main.
void RunAsChildThatSavesAtExit(const char* folder) {
  std::strcpy(gApp.dataFolder, folder);
  gApp.LoadSettings(1);
  gApp.settings.customColors[kColorFocus] = kExitMarkerColor;
  gApp.exitHook = SaveFromTheDestructor;
}

TEST(ZrfApp, DestructorSavesTheSettingsWithTheFileOperationsAlive) {
  char childFolder[MAX_PATH] = {};
  if (GetEnvironmentVariableA(kSaveAtExitVariable, childFolder, MAX_PATH) != 0) {
    RunAsChildThatSavesAtExit(childFolder);
    return;
  }
  const std::string folder = FreshFolder("exit");
  char program[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
  std::string line = std::string("\"") + program +
                     "\" --gtest_filter=ZrfApp.DestructorSavesTheSettingsWithTheFileOperationsAlive";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  SetEnvironmentVariableA(kSaveAtExitVariable, folder.c_str());
  const BOOL started =
      CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableA(kSaveAtExitVariable, nullptr);
  ASSERT_TRUE(started);
  ScopedHandle child(process.hProcess);
  ScopedHandle thread(process.hThread);
  ASSERT_EQ(WaitForSingleObject(child.Get(), 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(child.Get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);

  SettingsRecord saved{};
  DataFileStore store(SystemFileOps(), folder.c_str(), nullptr);
  ASSERT_EQ(store.ReadDataFile(kSettingsFileName, kNoFileNumber, &saved, sizeof saved, kDataFolderLocation),
            297u);
  EXPECT_EQ(uint32_t(saved.customColors[kColorFocus]), kExitMarkerColor);
}

}  // namespace
