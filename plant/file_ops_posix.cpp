// File operations on Linux, where the platform-free engine and its tests run natively.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "plant/file_ops.h"

namespace plant {
namespace {

int Fd(FileHandle file) { return static_cast<int>(file); }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

class PosixFileOps final : public FileOps {
 public:
  bool Exists(const std::string& path) override {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
  }
  FileHandle OpenForRead(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd < 0 ? kNoFile : fd;
  }
  FileHandle Create(const std::string& path) override {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? kNoFile : fd;
  }
  bool Read(FileHandle file, void* buffer, size_t size, size_t* done) override {
    ssize_t got;
    do {
      got = read(Fd(file), buffer, size);
    } while (got < 0 && errno == EINTR);
    *done = got < 0 ? 0 : static_cast<size_t>(got);
    return got >= 0;
  }
  bool Write(FileHandle file, const void* buffer, size_t size, size_t* done) override {
    ssize_t put;
    do {
      put = write(Fd(file), buffer, size);
    } while (put < 0 && errno == EINTR);
    *done = put < 0 ? 0 : static_cast<size_t>(put);
    return put >= 0;
  }
  bool SizeOf(FileHandle file, uint64_t* size) override {
    struct stat info;
    if (fstat(Fd(file), &info) != 0) {
      return false;
    }
    *size = static_cast<uint64_t>(info.st_size);
    return true;
  }
  bool Flush(FileHandle file) override { return fsync(Fd(file)) == 0; }
  bool Close(FileHandle file) override { return close(Fd(file)) == 0; }
  bool MakeWritable(const std::string& path) override {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || (info.st_mode & S_IWUSR) != 0) {
      return true;
    }
    return chmod(path.c_str(), info.st_mode | S_IWUSR) == 0;
  }
  // rename() replaces atomically; syncing the folder makes the new name survive a power cut.
  bool Replace(const std::string& from, const std::string& to) override {
    if (rename(from.c_str(), to.c_str()) != 0) {
      return false;
    }
    const int folder = open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      fsync(folder);
      close(folder);
    }
    return true;
  }
  bool Remove(const std::string& path) override { return unlink(path.c_str()) == 0; }
  void Sleep(uint32_t milliseconds) override {
    timespec wait{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
  }
  uint32_t ErrorCode() override { return static_cast<uint32_t>(errno); }
};

}  // namespace

FileOps& SystemFileOps() {
  static PosixFileOps ops;
  return ops;
}

}  // namespace plant
