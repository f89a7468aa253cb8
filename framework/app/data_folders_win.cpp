// Data-folder set-up on the real system: shell folders, the user name, the wait, the write test
// and the first-run copy.
#include "framework/app/data_folders_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "framework/app/data_path_waiter_win.h"
#include "framework/base/string_table.h"
#include "framework/base/zrf_results.h"
#include "framework/files/file_list.h"
#include "framework/files/folders_win.h"
#include "framework/files/settings_record.h"

namespace {

constexpr uint16_t kDataPathStrings = 0xF008;

// "<text before %s><insert><text after>"; the framework's strings hold one "%s" each, and
// substituting by hand keeps a table text from ever acting as a format.
void Substitute(const char* pattern, const char* insert, char* text, size_t size) {
  if (size == 0) return;
  const char* at = std::strstr(pattern, "%s");
  if (at == nullptr) {
    std::snprintf(text, size, "%s", pattern);
    return;
  }
  std::snprintf(text, size, "%.*s%s%s", static_cast<int>(at - pattern), pattern, insert, at + 2);
}

int32_t WaitAndTest(CDataPathWaiter& waiter, const char* folder, int32_t tries, const char* tip,
                    const char* menu, int32_t iconId, char (&failedFolder)[kDataFolderSize]) {
  const int32_t waited = waiter.Wait(folder, tries, iconId, tip, menu);
  if (waited == kWaitQuit) return ZRF_ERR_DATA_FOLDER;
  if (waited != kWaitReady || TestDataFolderWritable(folder) != 0) {
    std::snprintf(failedFolder, kDataFolderSize, "%s", folder[0] ? folder : "\"\"");
    return ZRF_ERR_DATA_FOLDER;
  }
  return ZRF_OK;
}

}  // namespace

int32_t PrepareDataFolders(const InstallRecord& install, const char* productName, int32_t tries,
                           const char* tipText, const char* menuText, int32_t iconId, DataFolders* folders,
                           char (&failedFolder)[kDataFolderSize]) {
  failedFolder[0] = '\0';
  char appData[MAX_PATH] = "";
  char commonAppData[MAX_PATH] = "";
  GetSpecialFolderPath(CSIDL_APPDATA, appData);
  GetSpecialFolderPath(CSIDL_COMMON_APPDATA, commonAppData);
  char userName[257] = "";
  DWORD userLength = sizeof userName;
  if (!GetUserNameA(userName, &userLength)) userName[0] = '\0';
  WorkOutDataFolders(install, productName, appData, commonAppData, userName, folders);

  CDataPathWaiter waiter;
  int32_t result = WaitAndTest(waiter, folders->dataFolder, tries, tipText, menuText, iconId, failedFolder);
  if (result != ZRF_OK) return result;
  if (IsSameFolder(folders->dataFolder, folders->commonDataFolder)) return ZRF_OK;
  return WaitAndTest(waiter, folders->commonDataFolder, tries, tipText, menuText, iconId, failedFolder);
}

int32_t CopyInitFiles(const char* installFolder, const char* dataFolder) {
  char settingsPath[MAX_PATH];
  int written = std::snprintf(settingsPath, sizeof settingsPath, "%s\\%s.zrd", dataFolder, kSettingsFileName);
  if (written < 0 || written >= static_cast<int>(sizeof settingsPath)) return 0;
  if (GetFileAttributesA(settingsPath) != INVALID_FILE_ATTRIBUTES) return 0;
  char initFolder[MAX_PATH];
  written = std::snprintf(initFolder, sizeof initFolder, "%s\\%s", installFolder, kInitFolderName);
  if (installFolder[0] == '\0' || written < 0 || written >= static_cast<int>(sizeof initFolder)) return 0;
  CFileList init(initFolder, "*.*");
  int32_t copied = 0;
  for (int32_t i = 0; i < init.files.count; ++i) {
    const char* path = init.files.GetAt(i)->text;
    char target[kDataFolderSize];
    if (InitCopyTarget(initFolder, path, dataFolder, target) && CopyFileA(path, target, TRUE)) ++copied;
  }
  return copied;
}

void FormatWaitTexts(const CStringTable& strings, const char* productName, char (&tip)[260],
                     char (&menu)[260]) {
  std::snprintf(tip, sizeof tip, "%s: %s", productName, strings.Text(kDataPathStrings, 1));
  Substitute(strings.Text(kDataPathStrings, 2), productName, menu, sizeof menu);
}

void FormatDataPathMessage(const CStringTable& strings, const char* folder, char* text, size_t size) {
  Substitute(strings.Text(kDataPathStrings, 0), folder, text, size);
}
