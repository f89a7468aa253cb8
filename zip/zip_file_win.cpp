// File calls on Windows.
#include "zip/zip_file.h"

#include <windows.h>

namespace zip {
namespace {

HANDLE Win(OsHandle file) { return reinterpret_cast<HANDLE>(file); }

OsHandle FromWin(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<OsHandle>(handle);
}

int64_t TicksOf(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

OsHandle CreateNew(const char* name, bool* exists) {
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  *exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  return FromWin(file);
}

OsHandle OpenForRead(const char* name) {
  return FromWin(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

int64_t Read(OsHandle file, void* buffer, size_t size) {
  DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!ReadFile(Win(file), buffer, want, &got, nullptr)) {
    // The writer's end of a pipe closing is the end of the data, not a failure.
    return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
  }
  return got;
}

size_t Write(OsHandle file, const void* bytes, size_t size) {
  // WriteFile may take fewer bytes than asked (pipes, some network files): loop until all are in.
  size_t done = 0;
  while (done < size) {
    size_t rest = size - done;
    DWORD want = rest > 0x40000000u ? 0x40000000u : static_cast<DWORD>(rest);
    DWORD put = 0;
    if (!WriteFile(Win(file), static_cast<const char*>(bytes) + done, want, &put, nullptr) || put == 0) break;
    done += put;
  }
  return done;
}

bool Tell(OsHandle file, uint64_t* position) {
  // SetFilePointerEx on a pipe or console is undefined rather than an error: ask for the type first.
  if (GetFileType(Win(file)) != FILE_TYPE_DISK) return false;
  LARGE_INTEGER zero{};
  LARGE_INTEGER at{};
  if (!SetFilePointerEx(Win(file), zero, &at, FILE_CURRENT)) return false;
  *position = static_cast<uint64_t>(at.QuadPart);
  return true;
}

bool Seek(OsHandle file, uint64_t position) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(position);
  return SetFilePointerEx(Win(file), to, nullptr, FILE_BEGIN) != 0;
}

bool Info(OsHandle file, FileInfo* info) {
  BY_HANDLE_FILE_INFORMATION data;
  if (!GetFileInformationByHandle(Win(file), &data)) return false;
  info->attributes = data.dwFileAttributes;
  info->size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info->times.accessUnix = UnixSecondsFromFileTime(TicksOf(data.ftLastAccessTime));
  info->times.modifyUnix = UnixSecondsFromFileTime(TicksOf(data.ftLastWriteTime));
  info->times.createUnix = UnixSecondsFromFileTime(TicksOf(data.ftCreationTime));
  // FileTimeToDosDateTime refuses years before 1980; packing ourselves clamps them instead.
  FILETIME local;
  SYSTEMTIME calendar;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &calendar)) {
    return false;
  }
  info->times.dosDateTime = PackDosDateTime(calendar.wYear, calendar.wMonth, calendar.wDay, calendar.wHour,
                                            calendar.wMinute, calendar.wSecond);
  return true;
}

bool Close(OsHandle file) { return CloseHandle(Win(file)) != 0; }

bool Flush(OsHandle file) { return FlushFileBuffers(Win(file)) != 0; }

bool Replace(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Remove(const char* name) { return DeleteFileA(name) != 0; }

const FileCalls kSystemCalls = {CreateNew, OpenForRead, Read, Write, Tell, Seek, Info, Close, Flush, Replace, Remove};

}  // namespace

const FileCalls& SystemFileCalls() { return kSystemCalls; }

}  // namespace zip
