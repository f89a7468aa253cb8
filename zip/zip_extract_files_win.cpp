// Extraction's file-system side on Windows.
#include <windows.h>

#include "zip/zip_extract_files.h"
#include "zip/zip_file.h"

namespace zip {
namespace {

FILETIME ToFileTime(int64_t ticks) {
  uint64_t t = static_cast<uint64_t>(ticks);
  FILETIME f;
  f.dwLowDateTime = static_cast<DWORD>(t);
  f.dwHighDateTime = static_cast<DWORD>(t >> 32);
  return f;
}

void RemoveFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

}  // namespace

std::string CurrentDirectory() {
  char buffer[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return std::string();
  return std::string(buffer, length);
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  return FolderExists(path);
}

bool IsReadOnlyFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

ExtractedFile::~ExtractedFile() { Discard(); }

CreateOutcome ExtractedFile::Create(const std::string& path, uint32_t attributes) {
  Discard();
  DWORD fileAttributes = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                       FILE_ATTRIBUTE_ARCHIVE);
  if (fileAttributes == 0) fileAttributes = FILE_ATTRIBUTE_NORMAL;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, fileAttributes, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateOutcome::Exists
                                                                       : CreateOutcome::Failed;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  path_ = path;
  return CreateOutcome::Created;
}

bool ExtractedFile::Write(const uint8_t* bytes, size_t size) {
  return ActiveFileCalls().write(handle_, bytes, size) == size;
}

bool ExtractedFile::Commit(const std::string& finalPath, int64_t createTime, int64_t accessTime,
                           int64_t modifyTime) {
  FILETIME create = ToFileTime(createTime);
  FILETIME access = ToFileTime(accessTime);
  FILETIME modify = ToFileTime(modifyTime);
  bool ok = SetFileTime(reinterpret_cast<HANDLE>(handle_), &create, &access, &modify) != 0;
  // On the disk before anything renames it into place or deletes what it was extracted from.
  ok = ActiveFileCalls().flush(handle_) && ok;
  ok = CloseHandle(reinterpret_cast<HANDLE>(handle_)) != 0 && ok;
  handle_ = -1;
  if (!ok ||
      (finalPath != path_ && !MoveFileExA(path_.c_str(), finalPath.c_str(), MOVEFILE_REPLACE_EXISTING))) {
    Discard();
    return false;
  }
  path_.clear();
  return true;
}

void ExtractedFile::Discard() {
  // The caller reports the failure that led here, not what tidying up left behind.
  const DWORD error = GetLastError();
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
  if (!path_.empty()) RemoveFile(path_);
  path_.clear();
  SetLastError(error);
}

}  // namespace zip
