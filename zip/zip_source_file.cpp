// File sources on POSIX systems: pread at positions counted from the start of the file.
#include "zip/zip_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace zip {
namespace {

class FileSource final : public ZipSource {
 public:
  FileSource(int fd, bool owned, uint64_t start, uint64_t size) : fd_(fd), owned_(owned), start_(start), size_(size) {}
  ~FileSource() override {
    if (owned_) close(fd_);
  }

  uint64_t Size() const override { return size_; }
  uint64_t ArchiveStart() const override { return start_; }

  bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset > size_ || size > size_ - offset) return false;
    auto* out = static_cast<uint8_t*>(buffer);
    uint64_t position = offset;
    while (size != 0) {
      ssize_t got = pread(fd_, out, size, static_cast<off_t>(position));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      out += got;
      position += static_cast<uint64_t>(got);
      size -= static_cast<size_t>(got);
    }
    return true;
  }

 private:
  int fd_;
  bool owned_;
  uint64_t start_;
  uint64_t size_;
};

bool FileEnd(int fd, uint64_t* end) {
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) return false;
  *end = static_cast<uint64_t>(st.st_size);
  return true;
}

}  // namespace

std::unique_ptr<ZipSource> OpenFileSource(const char* fileName, ZipResult* result) {
  int fd = open(fileName, O_RDONLY | O_CLOEXEC);
  uint64_t end = 0;
  if (fd < 0 || !FileEnd(fd, &end)) {
    if (fd >= 0) close(fd);
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  *result = ZipResult::Ok;
  return std::make_unique<FileSource>(fd, true, 0, end);
}

std::unique_ptr<ZipSource> BorrowFileSource(const void* handle, ZipResult* result) {
  int fd = static_cast<int>(reinterpret_cast<intptr_t>(handle));
  off_t start = lseek(fd, 0, SEEK_CUR);
  if (start < 0) {
    *result = ZipResult::SeekFailed;
    return nullptr;
  }
  uint64_t end = 0;
  if (!FileEnd(fd, &end) || static_cast<uint64_t>(start) > end) {
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  *result = ZipResult::Ok;
  return std::make_unique<FileSource>(fd, false, static_cast<uint64_t>(start), end);
}

}  // namespace zip
