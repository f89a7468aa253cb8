// Data-folder rules and the wait loop.
#include "framework/data_folders.h"

#include <cstdio>
#include <cstring>

#include "framework/file_ops.h"
#include "framework/folder_path.h"

namespace {

// snprintf into the folder field; an empty field when the result does not fit.
template <typename... Args>
void FormatFolder(char (&field)[kDataFolderSize], const char* format, Args... args) {
  const int written = std::snprintf(field, kDataFolderSize, format, args...);
  if (written < 0 || written >= kDataFolderSize) field[0] = '\0';
}

bool IsEmpty(const char* text) { return text == nullptr || text[0] == '\0'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Install-record texts are terminated inside their fields by the record's parser; this copy
// guards callers that fill a record by hand.
void CopyField(char (&field)[kDataFolderSize], const char (&source)[kInstallTextSize]) {
  static_assert(kInstallTextSize == kDataFolderSize);
  std::memcpy(field, source, kDataFolderSize);
  field[kDataFolderSize - 1] = '\0';
}

}  // namespace

void WorkOutDataFolders(const InstallRecord& install, const char* productName, const char* appDataFolder,
                        const char* commonAppDataFolder, const char* userName, DataFolders* folders) {
  *folders = DataFolders{};
  if (install.useCustomDataFolder != 0) {
    CopyField(folders->commonDataFolder, install.customDataFolder);
    CopyField(folders->dataFolder, install.customDataFolder);
    if (install.appendUserName != 0) {
      if (IsEmpty(userName)) {
        folders->dataFolder[0] = '\0';
      } else {
        char custom[kDataFolderSize];
        std::memcpy(custom, folders->dataFolder, kDataFolderSize);
        FormatFolder(folders->dataFolder, "%s\\%s", custom, userName);
      }
    }
    return;
  }
  const char* product = productName ? productName : "";
  if (!IsEmpty(appDataFolder)) {
    FormatFolder(folders->dataFolder, "%s\\%s\\%s", appDataFolder, kMakerFolder, product);
  }
  if (!IsEmpty(commonAppDataFolder)) {
    FormatFolder(folders->commonDataFolder, "%s\\%s\\%s", commonAppDataFolder, kMakerFolder, product);
  }
}

bool IsSameFolder(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  for (;; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
    if (*a == '\0') return true;
  }
}

bool InitCopyTarget(const char* initFolder, const char* initFile, const char* dataFolder,
                    char (&target)[kDataFolderSize]) {
  target[0] = '\0';
  if (initFolder == nullptr || initFile == nullptr || dataFolder == nullptr) return false;
  const size_t prefix = std::strlen(initFolder);
  if (prefix == 0 || std::strncmp(initFile, initFolder, prefix) != 0 || initFile[prefix] != '\\' ||
      initFile[prefix + 1] == '\0') {
    return false;
  }
  FormatFolder(target, "%s\\%s", dataFolder, initFile + prefix + 1);
  return target[0] != '\0';
}

int32_t WaitForFolder(FileOps& ops, const char* folder, int32_t tries, DataPathWaitUi& ui) {
  int32_t tryCount = 0;
  int32_t state = kWaitFailed;
  bool quit = false;
  for (;;) {
    if (IsEmpty(folder)) break;
    if (CreateFolderPath(ops, folder, false) == kFolderReady) {
      state = kWaitReady;
      break;
    }
    if (tries == 0) break;
    if (tries > 0) --tries;
    ++tryCount;
    ui.ShowTry(tryCount);
    for (int i = 0; i < 10 && !quit; ++i) quit = ui.PumpAndSleep();
    if (quit) break;
  }
  if (tryCount > 0) ui.Hide();
  if (state == kWaitReady) return kWaitReady;
  return quit ? kWaitQuit : kWaitFailed;
}
