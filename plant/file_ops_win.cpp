// File operations on Windows: ANSI paths, as the plant program keeps its paths in the code page.
#include <windows.h>

#include <cstdio>

#include "plant/file_ops.h"

namespace plant {
namespace {

HANDLE Handle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle FromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}

void LogFailure(const char* api, const std::string& path) {
  const DWORD error = GetLastError();
  std::fprintf(stderr, "%s(%s) failed: error %lu\n", api, path.c_str(), static_cast<unsigned long>(error));
  SetLastError(error);  // the caller still asks for it
}

bool IsHeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// A single ReadFile or WriteFile moves at most 4 GiB - 1 bytes; plant files stay far below that,
// and the callers loop on short counts anyway.
DWORD Chunk(size_t size) { return size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size); }

class WinFileOps final : public FileOps {
 public:
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  FileHandle OpenForRead(const std::string& path) override {
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  FileHandle Create(const std::string& path) override {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      LogFailure("CreateFileA", path);
    }
    return FromHandle(file);
  }
  bool Read(FileHandle file, void* buffer, size_t size, size_t* done) override {
    DWORD got = 0;
    const BOOL ok = ReadFile(Handle(file), buffer, Chunk(size), &got, nullptr);
    *done = got;
    return ok != FALSE;
  }
  bool Write(FileHandle file, const void* buffer, size_t size, size_t* done) override {
    DWORD put = 0;
    const BOOL ok = WriteFile(Handle(file), buffer, Chunk(size), &put, nullptr);
    *done = put;
    return ok != FALSE;
  }
  bool SizeOf(FileHandle file, uint64_t* size) override {
    LARGE_INTEGER bytes;
    if (GetFileSizeEx(Handle(file), &bytes) == FALSE) {
      return false;
    }
    *size = static_cast<uint64_t>(bytes.QuadPart);
    return true;
  }
  bool Flush(FileHandle file) override { return FlushFileBuffers(Handle(file)) != FALSE; }
  bool Close(FileHandle file) override { return CloseHandle(Handle(file)) != FALSE; }
  bool MakeWritable(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
      return true;
    }
    return SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) !=
           FALSE;
  }
  // Whoever holds the old file open (a virus scanner, an indexer, a backup, another program reading
  // the plant) makes the replacement fail for as long as it holds it, even when it shares deletion:
  // a short wait, not a failure the user hears of.
  bool Replace(const std::string& from, const std::string& to) override {
    for (DWORD delay = 10;; delay *= 2) {
      if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
          FALSE) {
        return true;
      }
      if (!IsHeldByAnother(GetLastError()) || delay > 160) {
        LogFailure("MoveFileExA", to);
        return false;
      }
      ::Sleep(delay);
    }
  }
  bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != FALSE; }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  uint32_t ErrorCode() override { return GetLastError(); }
};

}  // namespace

FileOps& SystemFileOps() {
  static WinFileOps ops;
  return ops;
}

}  // namespace plant
