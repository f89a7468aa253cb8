// Folder helpers on the real file system.
#include "framework/files/folders_win.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>

#include "framework/base/scoped_handles_win.h"
#include "framework/files/data_file.h"
#include "framework/files/file_ops_win.h"
#include "framework/files/folder_path.h"

int32_t CreateFolderPath(const char* path, bool pause) {
  return CreateFolderPath(SystemFileOps(), path, pause);
}

int32_t TestDataFolderWritable(const char* folder) {
  char trimmed[kDataPathCapacity];
  if (folder == nullptr || strnlen(folder, sizeof trimmed) >= sizeof trimmed) return 2;
  std::strcpy(trimmed, folder);
  size_t length = std::strlen(trimmed);
  if (length > 0 && trimmed[length - 1] == '\\') trimmed[length - 1] = '\0';
  char probe[kDataPathCapacity];
  if (!BuildFolderFilePath(probe, trimmed, "ZRFWriteTest.tmp", nullptr)) return 2;
  ScopedHandle file(CreateFileA(probe, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return 2;
  file.Close();
  DeleteFileA(probe);
  return 0;
}

void GetSpecialFolderPath(int csidl, char* path) {
  path[0] = '\0';
  ScopedCoMem<ITEMIDLIST> items;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, items.Receive())) || items.Get() == nullptr) return;
  if (!SHGetPathFromIDListA(items.Get(), path)) path[0] = '\0';
}
