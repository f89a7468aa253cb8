// Folder entries on Windows: FindFirstFileExA without short names and with large directory
// reads, falling back to the plain search on systems that lack either.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/files/folder_reader.h"

const char kPathSeparator = '\\';

namespace {

uint64_t FileTimeOf(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void Describe(const WIN32_FIND_DATAA& found, FolderEntry* entry) {
  std::memcpy(entry->name, found.cFileName, sizeof entry->name);
  entry->name[sizeof entry->name - 1] = '\0';
  entry->attributes = found.dwFileAttributes;
  // Only name surrogates (symbolic links, junctions, mount points) lead elsewhere; other reparse
  // points, such as cloud-synchronised folders, are ordinary folders to walk.
  entry->isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                  IsReparseTagNameSurrogate(found.dwReserved0);
  entry->creationTime = FileTimeOf(found.ftCreationTime);
  entry->lastWriteTime = FileTimeOf(found.ftLastWriteTime);
  entry->size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

}  // namespace

bool FolderReader::Open(const char* folder, FolderEntry* entry) {
  (void)Close();
  // "" is the current directory and "\" (or "C:\") a root, which takes no second separator.
  const size_t folderLength = std::strlen(folder);
  const bool endsInSeparator = folderLength > 0 && folder[folderLength - 1] == '\\';
  char pattern[MAX_PATH];
  const int length =
      std::snprintf(pattern, sizeof pattern, "%s%s*", folder, folderLength > 0 && !endsInSeparator ? "\\" : "");
  if (length < 0 || length >= static_cast<int>(sizeof pattern)) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileExA(pattern, FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // Systems before Windows 7 know neither the basic level nor the large fetch.
    search = FindFirstFileExA(pattern, FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0);
  }
  if (search == INVALID_HANDLE_VALUE) return false;
  handle_ = search;
  Describe(found, entry);
  return true;
}

bool FolderReader::Next(FolderEntry* entry) {
  if (handle_ == nullptr) return false;
  WIN32_FIND_DATAA found;
  if (!FindNextFileA(static_cast<HANDLE>(handle_), &found)) return false;
  Describe(found, entry);
  return true;
}

int32_t FolderReader::Close() {
  if (handle_ == nullptr) return -1;
  const BOOL closed = FindClose(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  return closed ? 1 : 0;
}
