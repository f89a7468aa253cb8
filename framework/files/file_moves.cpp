// Moving and removing files on POSIX systems. Paths may use "\" as well, as archive entries and
// Windows paths in tests do.
#include "framework/files/file_moves.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace {

std::string Native(const char* path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace

bool MovePath(const char* from, const char* to) {
  return renameat2(AT_FDCWD, Native(from).c_str(), AT_FDCWD, Native(to).c_str(), RENAME_NOREPLACE) == 0;
}

bool MakeFolderIfMissing(const char* path) {
  const std::string native = Native(path);
  struct stat st {};
  if (mkdir(native.c_str(), 0777) == 0) return true;
  const int error = errno;
  const bool exists = stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  errno = error;
  return exists;
}

bool RemoveEmptyFolder(const char* path) { return rmdir(Native(path).c_str()) == 0; }

bool RemoveFileAnyway(const char* path) { return unlink(Native(path).c_str()) == 0; }

bool IsExistingFile(const char* path) {
  struct stat st {};
  return lstat(Native(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsReadOnlyFile(const char* path) {
  struct stat st {};
  return lstat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}
