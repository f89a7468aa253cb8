// FileOps on the Win32 file API.
#include "framework/files/file_ops_win.h"

#include <windows.h>

#include <new>

#include "framework/base/scoped_handles_win.h"

namespace {

// Virus scanners and indexers open fresh files for a moment; these errors pass if retried.
bool IsTransientError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

ScopedHandle OpenForReading(const char* path) {
  return ScopedHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

class Win32FileOps final : public FileOps {
 public:
  bool ReadStart(const char* path, void* buffer, uint32_t size, uint32_t* bytesRead) override {
    ScopedHandle file = OpenForReading(path);
    if (!file.IsValid()) return false;
    // ReadFile may return fewer bytes than asked before the end of the file; keep reading until
    // the buffer is full or a read returns nothing (the end).
    uint32_t total = 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (total < size) {
      DWORD got = 0;
      if (!ReadFile(file.Get(), bytes + total, size - total, &got, nullptr) || got == 0) break;
      total += got;
    }
    *bytesRead = total;
    return true;
  }

  bool FileSize(const char* path, uint32_t* size) override {
    ScopedHandle file = OpenForReading(path);
    if (!file.IsValid()) return false;
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file.Get(), &fileSize) || fileSize.QuadPart < 0 ||
        fileSize.QuadPart > LONGLONG(0xFFFFFFFFu))
      return false;
    *size = uint32_t(fileSize.QuadPart);
    return true;
  }

  NewFileResult WriteNewFile(const char* path, const void* data, uint32_t size) override {
    ScopedHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return NewFileResult::NotCreated;
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t total = 0;
    while (total < size) {
      DWORD put = 0;
      if (!WriteFile(file.Get(), bytes + total, size - total, &put, nullptr) || put == 0)
        return NewFileResult::Incomplete;
      total += put;
    }
    // The move that follows must never put a file whose bytes are not yet on the disk in place of
    // the old record.
    if (!FlushFileBuffers(file.Get())) return NewFileResult::Incomplete;
    if (!file.Close()) return NewFileResult::Incomplete;
    return NewFileResult::Ok;
  }

  bool MoveOver(const char* from, const char* to) override {
    for (DWORD delay = 10;; delay *= 2) {
      if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
      if (!IsTransientError(GetLastError()) || delay > 160) return false;
      Sleep(delay);
    }
  }

  bool RemoveFile(const char* path) override { return DeleteFileA(path) != FALSE; }

  bool FolderExists(const char* path) override {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool MakeFolder(const char* path) override { return CreateDirectoryA(path, nullptr) != FALSE; }

  void Pause(uint32_t milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

FileOps& SystemFileOps() {
  // Never destroyed: made on first use, after the application object, it would otherwise be
  // destroyed before it, whose destructor saves the settings through it at process exit.
  alignas(Win32FileOps) static unsigned char storage[sizeof(Win32FileOps)];
  static Win32FileOps* const ops = new (storage) Win32FileOps;
  return *ops;
}
