// Extraction's file-system side on POSIX systems. "\" counts as a separator here too, so an archive
// extracts to the same tree as on Windows. Files are opened with O_NOFOLLOW: a symbolic link already
// lying at a target's place is never written through.
#include "zip/zip_extract_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>

#include "zip/zip_file.h"

namespace zip {
namespace {

std::string NativePath(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

struct timespec TimespecFromFileTime(int64_t fileTime) {
  int64_t sinceUnix = fileTime - 116444736000000000;
  int64_t seconds = sinceUnix / 10000000;
  int64_t rest = sinceUnix % 10000000;
  if (rest < 0) {
    rest += 10000000;
    --seconds;
  }
  struct timespec t {};
  t.tv_sec = static_cast<time_t>(seconds);
  t.tv_nsec = static_cast<long>(rest * 100);
  return t;
}

}  // namespace

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) return std::string();
  return buffer;
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolder(const std::string& path) {
  std::string native = NativePath(path);
  // Most folders exist already (every file of a folder asks again): one stat beats a failed mkdir
  // and a stat.
  if (FolderExists(native)) return true;
  return mkdir(native.c_str(), 0777) == 0 || FolderExists(native);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (lstat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return (st.st_mode & S_IWUSR) == 0;
}

ExtractedFile::~ExtractedFile() { Discard(); }

CreateOutcome ExtractedFile::Create(const std::string& path, uint32_t attributes) {
  Discard();
  std::string native = NativePath(path);
  mode_t mode = (attributes & 0x01) != 0 ? 0444 : 0666;
  int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return errno == EEXIST ? CreateOutcome::Exists : CreateOutcome::Failed;
  handle_ = fd;
  path_ = native;
  return CreateOutcome::Created;
}

bool ExtractedFile::Write(const uint8_t* bytes, size_t size) {
  return ActiveFileCalls().write(handle_, bytes, size) == size;
}

bool ExtractedFile::Commit(const std::string& finalPath, int64_t /*createTime*/, int64_t accessTime,
                           int64_t modifyTime) {
  struct timespec times[2] = {TimespecFromFileTime(accessTime), TimespecFromFileTime(modifyTime)};
  bool ok = futimens(static_cast<int>(handle_), times) == 0;
  // On the disk before anything renames it into place or deletes what it was extracted from.
  ok = ActiveFileCalls().flush(handle_) && ok;
  ok = close(static_cast<int>(handle_)) == 0 && ok;
  handle_ = -1;
  std::string native = NativePath(finalPath);
  if (!ok || (native != path_ && rename(path_.c_str(), native.c_str()) != 0)) {
    Discard();
    return false;
  }
  path_.clear();
  return true;
}

void ExtractedFile::Discard() {
  // The caller reports the failure that led here, not what tidying up left in errno.
  const int error = errno;
  if (handle_ >= 0) close(static_cast<int>(handle_));
  handle_ = -1;
  if (!path_.empty()) unlink(path_.c_str());
  path_.clear();
  errno = error;
}

}  // namespace zip
