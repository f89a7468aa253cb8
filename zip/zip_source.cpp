// Archive sources: a memory block, or a file reached through the zip library's file calls (so the
// reader shares the writer's platform layer and its test seam).
#include "zip/zip_source.h"

#include <cstring>
#include <utility>

#include "zip/zip_file.h"

namespace zip {
namespace {

class MemorySource final : public ZipSource {
 public:
  MemorySource(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}

  uint64_t Size() const override { return size_; }

  bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset > size_ || size > size_ - offset) return false;
    if (size != 0) memcpy(buffer, data_ + offset, size);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

class FileSource final : public ZipSource {
 public:
  FileSource(OsFile file, uint64_t start, uint64_t size) : file_(std::move(file)), start_(start), size_(size) {}

  uint64_t Size() const override { return size_; }
  uint64_t ArchiveStart() const override { return start_; }

  bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset > size_ || size > size_ - offset) return false;
    if (size == 0) return true;
    if (!file_.Seek(offset)) return false;
    auto* out = static_cast<uint8_t*>(buffer);
    while (size != 0) {
      int64_t got = file_.Read(out, size);
      if (got <= 0) return false;
      out += got;
      size -= static_cast<size_t>(got);
    }
    return true;
  }

 private:
  OsFile file_;
  uint64_t start_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<ZipSource> MakeMemorySource(const void* data, size_t size) {
  return std::make_unique<MemorySource>(data, size);
}

std::unique_ptr<ZipSource> OpenFileSource(const char* fileName, ZipResult* result) {
  OsFile file(ActiveFileCalls().openForRead(fileName), true);
  FileInfo info;
  if (!file.IsOpen() || !file.Info(info)) {
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  *result = ZipResult::Ok;
  return std::make_unique<FileSource>(std::move(file), 0, info.size);
}

std::unique_ptr<ZipSource> BorrowFileSource(const void* handle, ZipResult* result) {
  OsFile file(reinterpret_cast<OsHandle>(handle), false);
  uint64_t start = 0;
  if (!file.IsOpen() || !file.Tell(start)) {
    *result = ZipResult::SeekFailed;
    return nullptr;
  }
  FileInfo info;
  if (!file.Info(info) || start > info.size) {
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  *result = ZipResult::Ok;
  return std::make_unique<FileSource>(std::move(file), start, info.size);
}

}  // namespace zip
