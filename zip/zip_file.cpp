// File calls on POSIX systems. Windows attributes are derived from the mode: read-only when the owner
// cannot write, directory, and the archive bit that Windows gives every new file.
#include "zip/zip_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zip {
namespace {

int Fd(OsHandle file) { return static_cast<int>(file); }

OsHandle CreateNew(const char* name, bool* exists) {
  int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  *exists = fd < 0 && errno == EEXIST;
  return fd < 0 ? kNoFile : fd;
}

OsHandle OpenForRead(const char* name) {
  int fd = open(name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kNoFile;
  // POSIX opens folders for reading too; Windows does not, and neither should we.
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return kNoFile;
  }
  return fd;
}

int64_t Read(OsHandle file, void* buffer, size_t size) {
  for (;;) {
    ssize_t got = read(Fd(file), buffer, size);
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

size_t Write(OsHandle file, const void* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t put = write(Fd(file), static_cast<const char*>(bytes) + done, size - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += static_cast<size_t>(put);
  }
  return done;
}

bool Tell(OsHandle file, uint64_t* position) {
  off_t at = lseek(Fd(file), 0, SEEK_CUR);
  if (at < 0) return false;
  *position = static_cast<uint64_t>(at);
  return true;
}

bool Seek(OsHandle file, uint64_t position) {
  return lseek(Fd(file), static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
}

bool Info(OsHandle file, FileInfo* info) {
  struct statx st {};
  if (statx(Fd(file), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) return false;
  uint32_t attributes = 0;
  if ((st.stx_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
  attributes |= S_ISDIR(st.stx_mode) ? kAttributeDirectory : kAttributeArchive;
  info->attributes = attributes;
  info->size = st.stx_size;
  info->times.accessUnix = st.stx_atime.tv_sec;
  info->times.modifyUnix = st.stx_mtime.tv_sec;
  // File systems without a birth time report none; the last write is the closest stand-in.
  info->times.createUnix = (st.stx_mask & STATX_BTIME) != 0 ? st.stx_btime.tv_sec : st.stx_mtime.tv_sec;
  time_t modified = static_cast<time_t>(st.stx_mtime.tv_sec);
  struct tm local {};
  if (localtime_r(&modified, &local) == nullptr) return false;
  info->times.dosDateTime = PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                            local.tm_min, local.tm_sec);
  return true;
}

bool Close(OsHandle file) { return close(Fd(file)) == 0; }

bool Flush(OsHandle file) { return fsync(Fd(file)) == 0; }

bool Replace(const char* from, const char* to) { return rename(from, to) == 0; }

bool Remove(const char* name) { return unlink(name) == 0; }

const FileCalls kSystemCalls = {CreateNew, OpenForRead, Read, Write, Tell, Seek, Info, Close, Flush, Replace, Remove};

}  // namespace

const FileCalls& SystemFileCalls() { return kSystemCalls; }

}  // namespace zip
