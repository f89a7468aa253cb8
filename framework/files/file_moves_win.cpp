// Moving and removing files on Windows.
#include <windows.h>

#include "framework/files/file_moves.h"

bool MovePath(const char* from, const char* to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists; a file held open without
  // delete sharing cannot be moved at all, which is what makes a restore give up cleanly.
  return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool MakeFolderIfMissing(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path);
  SetLastError(error);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveEmptyFolder(const char* path) { return RemoveDirectoryA(path) != FALSE; }

bool RemoveFileAnyway(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  return DeleteFileA(path) != FALSE;
}

bool IsExistingFile(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsReadOnlyFile(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}
