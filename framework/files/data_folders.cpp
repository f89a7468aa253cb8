// Data-folder rules.
#include "framework/files/data_folders.h"

#include <cstdio>
#include <cstring>


namespace {

// snprintf into the folder field; an empty field when the result does not fit.
template <typename... Args>
void FormatFolder(char (&field)[kDataFolderSize], const char* format, Args... args) {
  const int written = std::snprintf(field, kDataFolderSize, format, args...);
  if (written < 0 || written >= kDataFolderSize) field[0] = '\0';
}

bool IsEmpty(const char* text) { return text == nullptr || text[0] == '\0'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

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

bool IsBelowFolder(const char* path, const char* folder) {
  if (path == nullptr || folder == nullptr || folder[0] == '\0') return false;
  for (; *folder != '\0'; ++path, ++folder) {
    if (IsSeparator(*folder) && IsSeparator(*path)) continue;
    if (LowerAscii(*path) != LowerAscii(*folder)) return false;
  }
  if (IsSeparator(folder[-1])) return *path != '\0';
  return IsSeparator(*path) && path[1] != '\0';
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
