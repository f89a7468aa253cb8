// Data folders on the real file system under Wine: per-user and custom folders, the first-run
// copy, and the wait for a drive that appears later or never (drives q: and r: are mapped by the
// test runner to Linux folders that do not exist when the test starts), and the wait's icons.
#include "framework/app/data_folders_win.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/app/data_path_waiter_win.h"
#include "framework/base/string_table.h"
#include "framework/base/zrf_results.h"
#include "framework/files/folders_win.h"
#include "framework/style/icon_tint.h"
#include "framework/style/icon_win.h"
#include "framework/style/tests/icon_pixels_win.h"

namespace {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + "\\" + name);
      } else {
        DeleteFileA((folder + "\\" + name).c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string TempRoot(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string root = std::string(temp) + name + std::to_string(GetCurrentProcessId());
  RemoveTree(root);
  CreateDirectoryA(root.c_str(), nullptr);
  return root;
}

// The Windows path ("Z:\...") of the Linux folder that the runner mapped to drive `letter`.
std::string MappedFolder(char letter) {
  const char* drives = std::getenv("VERDELO_WINE_DRIVES");
  std::istringstream mappings(drives ? drives : "");
  std::string mapping;
  while (mappings >> mapping) {
    if (mapping.size() > 2 && mapping[0] == letter && mapping[1] == ':') {
      std::string path = "Z:" + mapping.substr(2);
      for (char& c : path) c = c == '/' ? '\\' : c;
      return path;
    }
  }
  return "";
}

// Tray calls as the wait makes them.
std::vector<std::string> gTrayCalls;
BOOL WINAPI RecordTray(DWORD action, PNOTIFYICONDATAA data) {
  const char* names[] = {"add", "modify", "delete"};
  gTrayCalls.push_back(std::string(action <= NIM_DELETE ? names[action] : "other") + " " + data->szTip);
  return action != NIM_MODIFY;  // no icon yet: modifying fails, adding works
}

class TrayRecorder {
 public:
  TrayRecorder() {
    gTrayCalls.clear();
    CDataPathWaiter::SetNotifyIconForTesting(RecordTray);
  }
  ~TrayRecorder() { CDataPathWaiter::SetNotifyIconForTesting(nullptr); }
};

InstallRecord Install(int16_t custom, int16_t appendUser, const std::string& customFolder,
                      const std::string& installFolder) {
  InstallRecord record{};
  record.useCustomDataFolder = custom;
  record.appendUserName = appendUser;
  customFolder.copy(record.customDataFolder, sizeof record.customDataFolder - 1);
  installFolder.copy(record.installFolder, sizeof record.installFolder - 1);
  return record;
}

TEST(DataFoldersWin, PerUserAndAllUsersFoldersAreMadeBelowTheShellFolders) {
  TrayRecorder tray;
  DataFolders folders;
  char failed[kDataFolderSize];
  ASSERT_EQ(PrepareDataFolders(Install(0, 0, "", ""), "VerdeloTest", 1, "tip", "menu", 1, &folders, failed),
            ZRF_OK);
  char appData[MAX_PATH];
  GetSpecialFolderPath(CSIDL_APPDATA, appData);
  EXPECT_EQ(std::string(folders.dataFolder), std::string(appData) + "\\Brambeck\\VerdeloTest");
  EXPECT_TRUE(IsFolder(folders.dataFolder));
  EXPECT_TRUE(IsFolder(folders.commonDataFolder));
  EXPECT_FALSE(IsSameFolder(folders.dataFolder, folders.commonDataFolder));
  EXPECT_TRUE(gTrayCalls.empty());  // available at once: no icon
}

TEST(DataFoldersWin, CustomFolderWithTheUserNameAppended) {
  const std::string root = TempRoot("custom");
  DataFolders folders;
  char failed[kDataFolderSize];
  ASSERT_EQ(
      PrepareDataFolders(Install(1, 1, root + "\\Data", ""), "VerdeloTest", 1, "t", "m", 1, &folders, failed),
      ZRF_OK);
  char user[257];
  DWORD length = sizeof user;
  ASSERT_TRUE(GetUserNameA(user, &length));
  EXPECT_EQ(std::string(folders.dataFolder), root + "\\Data\\" + user);
  EXPECT_EQ(std::string(folders.commonDataFolder), root + "\\Data");
  EXPECT_TRUE(IsFolder(folders.dataFolder));
}

TEST(DataFoldersWin, FirstRunCopiesInitFilesOnceAndNeverOverwrites) {
  const std::string root = TempRoot("init");
  const std::string init = root + "\\Install\\Init";
  const std::string data = root + "\\Data";
  CreateDirectoryA((root + "\\Install").c_str(), nullptr);
  CreateDirectoryA(init.c_str(), nullptr);
  CreateDirectoryA((init + "\\Species").c_str(), nullptr);
  CreateDirectoryA((init + "\\Missing").c_str(), nullptr);
  CreateDirectoryA(data.c_str(), nullptr);
  CreateDirectoryA((data + "\\Species").c_str(), nullptr);
  WriteFile(init + "\\Fern.plt", "fern");
  WriteFile(init + "\\Kept.txt", "new");
  WriteFile(init + "\\Species\\Moss.plt", "moss");
  WriteFile(init + "\\Missing\\Lost.plt", "lost");
  WriteFile(data + "\\Kept.txt", "user's");

  EXPECT_EQ(CopyInitFiles((root + "\\Install").c_str(), data.c_str()), 2);
  EXPECT_EQ(ReadFile(data + "\\Fern.plt"), "fern");
  EXPECT_EQ(ReadFile(data + "\\Species\\Moss.plt"), "moss");
  EXPECT_EQ(ReadFile(data + "\\Kept.txt"), "user's");
  EXPECT_FALSE(IsFolder(data + "\\Missing"));

  // Once the settings exist the data folder is no longer new: nothing is copied again.
  WriteFile(data + "\\(ZRF)App.zrd", std::string(297, '\0'));
  DeleteFileA((data + "\\Fern.plt").c_str());
  EXPECT_EQ(CopyInitFiles((root + "\\Install").c_str(), data.c_str()), 0);
  EXPECT_EQ(GetFileAttributesA((data + "\\Fern.plt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(CopyInitFiles("", data.c_str()), 0);
}

TEST(DataFoldersWin, DriveThatAppearsLaterEndsTheEndlessWait) {
  TrayRecorder tray;
  const std::string late = MappedFolder('q');
  ASSERT_FALSE(late.empty()) << "drive q: is not mapped by the runner";
  RemoveTree(late);
  ASSERT_FALSE(IsFolder("Q:\\"));

  CDataPathWaiter waiter;
  std::atomic<bool> done{false};
  // The drive's folder appears after two seconds. If the wait missed it, the user's menu
  // command ends the wait after 30 seconds, so the test fails instead of hanging.
  std::thread helper([&] {
    Sleep(2000);
    EXPECT_EQ(CreateFolderPath(late.c_str(), false), 0);
    for (int i = 0; i < 280 && !done; ++i) Sleep(100);
    if (!done && waiter.Window()) PostMessageA(waiter.Window(), WM_COMMAND, kWaitQuitCommand, 0);
  });
  const DWORD start = GetTickCount();
  const int32_t result =
      waiter.Wait("Q:\\Brambeck\\Verdelo", -1, 1, "Verdelo: Waiting for data folder...", "Quit");
  const DWORD elapsed = GetTickCount() - start;
  done = true;
  helper.join();
  EXPECT_EQ(result, kWaitReady);
  EXPECT_GE(elapsed, 1500u);
  EXPECT_LT(elapsed, 20000u);
  EXPECT_TRUE(IsFolder("Q:\\Brambeck\\Verdelo"));
  // How many tries came between depends on how long a busy machine sleeps: only the first try's
  // calls and the last are certain.
  ASSERT_GE(gTrayCalls.size(), 3u);
  EXPECT_EQ(gTrayCalls[0], "modify Verdelo: Waiting for data folder...");
  EXPECT_EQ(gTrayCalls[1], "add Verdelo: Waiting for data folder...");
  EXPECT_EQ(gTrayCalls.back(), "delete ");
  EXPECT_EQ(waiter.Window(), nullptr);
}

TEST(DataFoldersWin, DriveThatNeverAppearsEndsWithTheDataPathMessage) {
  TrayRecorder tray;
  const std::string never = MappedFolder('r');
  ASSERT_FALSE(never.empty()) << "drive r: is not mapped by the runner";
  RemoveTree(never);
  CStringTable strings;
  DataFolders folders;
  char failed[kDataFolderSize];
  const DWORD start = GetTickCount();
  const int32_t result =
      PrepareDataFolders(Install(1, 0, "R:\\Plants", ""), "Verdelo", 1, "tip", "Quit", 1, &folders, failed);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(result, ZRF_ERR_DATA_FOLDER);
  EXPECT_STREQ(failed, "R:\\Plants");
  EXPECT_GE(elapsed, 900u);    // one second of waiting, not more
  EXPECT_LT(elapsed, 15000u);  // a hang would run into the test's time-out instead
  char message[600];
  FormatDataPathMessage(strings, failed, message, sizeof message);
  EXPECT_STREQ(
      message,
      "Could not access the data path!\nR:\\Plants\nPlease make sure that this path is accessible or "
      "choose a different data path during setup.");
}

TEST(DataFoldersWin, GivingUpFromTheMenuEndsTheWaitWithoutAMessage) {
  TrayRecorder tray;
  CDataPathWaiter waiter;
  std::thread helper([&] {
    for (int i = 0; i < 50 && waiter.Window() == nullptr; ++i) Sleep(100);
    PostMessageA(waiter.Window(), WM_COMMAND, kWaitQuitCommand, 0);
  });
  EXPECT_EQ(waiter.Wait("R:\\Brambeck\\Verdelo", -1, 1, "tip", "menu"), kWaitQuit);
  helper.join();
  EXPECT_EQ(gTrayCalls.back(), "delete ");
}

TEST(DataFoldersWin, QuitMessageDuringTheWaitIsLeftForTheMessageLoop) {
  TrayRecorder tray;
  CDataPathWaiter waiter;
  PostQuitMessage(3);
  EXPECT_EQ(waiter.Wait("R:\\Brambeck\\Verdelo", -1, 1, "tip", "menu"), kWaitQuit);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST(DataFoldersWin, WaitTextsComeFromTheFrameworkStrings) {
  CStringTable strings;
  char tip[260], menu[260];
  FormatWaitTexts(strings, "Verdelo", tip, menu);
  EXPECT_STREQ(tip, "Verdelo: Waiting for data folder...");
  EXPECT_STREQ(menu, "Quit Verdelo");
}

TEST(DataPathWaiterWin, WaitIconsAreTheIconAndItsGreyedTwin) {
  HICON normal = nullptr, greyed = nullptr;
  EXPECT_EQ(CDataPathWaiter::MakeIcons(GetModuleHandleA(nullptr), 1, &normal, &greyed), 0);
  ASSERT_NE(normal, nullptr);
  ASSERT_NE(greyed, nullptr);
  std::vector<uint32_t> expected = IconPixels(normal, false);
  const std::vector<uint32_t> mask = IconPixels(normal, true);
  (void)TintIconPixels(expected.data(), mask.data(), expected.size(), GetSysColor(COLOR_3DLIGHT),
                       GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(IconPixels(greyed, false), expected);
  EXPECT_EQ(IconPixels(greyed, true), mask);
  DestroyIcon(normal);
  DestroyIcon(greyed);
  EXPECT_EQ(CDataPathWaiter::MakeIcons(GetModuleHandleA(nullptr), 77, &normal, &greyed), 1);
}

}  // namespace
