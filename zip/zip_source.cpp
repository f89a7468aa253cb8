// Archive sources: a memory block, or a file reached through the zip library's file calls (so the
// reader shares the writer's platform layer and its test seam).
#include "zip/zip_source.h"

#include <cstring>
#include <new>
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

// Reads go through a 64 KiB read-ahead piece: an entry's local header, name, extra field and data
// lie one after the other, and small entries lie side by side, so most reads of an extraction are
// served from memory instead of costing a seek and a read each.
class FileSource final : public ZipSource {
 public:
  /// ownsPosition: nobody else moves the file's position, so a read where the last one ended needs
  /// no seek (not so for a caller's handle).
  FileSource(OsFile file, uint64_t start, uint64_t size, bool ownsPosition)
      : file_(std::move(file)), start_(start), size_(size), ownsPosition_(ownsPosition) {}

  uint64_t Size() const override { return size_; }
  uint64_t ArchiveStart() const override { return start_; }

  bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset > size_ || size > size_ - offset) return false;
    if (size == 0) return true;
    if (offset >= pieceStart_ && offset - pieceStart_ <= pieceLength_ &&
        size <= pieceLength_ - (offset - pieceStart_)) {
      memcpy(buffer, piece_.get() + (offset - pieceStart_), size);
      return true;
    }
    if (size >= kPieceSize) return ReadFromFile(offset, static_cast<uint8_t*>(buffer), size);
    if (!piece_) piece_.reset(new (std::nothrow) uint8_t[kPieceSize]);
    if (!piece_) return ReadFromFile(offset, static_cast<uint8_t*>(buffer), size);
    size_t length = size_ - offset < kPieceSize ? static_cast<size_t>(size_ - offset) : kPieceSize;
    pieceLength_ = 0;
    if (!ReadFromFile(offset, piece_.get(), length)) return false;
    pieceStart_ = offset;
    pieceLength_ = length;
    memcpy(buffer, piece_.get(), size);
    return true;
  }

 private:
  static constexpr size_t kPieceSize = 65536;
  static constexpr uint64_t kUnknownPosition = ~uint64_t{0};

  bool ReadFromFile(uint64_t offset, uint8_t* out, size_t size) {
    if ((!ownsPosition_ || position_ != offset) && !file_.Seek(offset)) {
      position_ = kUnknownPosition;
      return false;
    }
    position_ = offset;
    while (size != 0) {
      int64_t got = file_.Read(out, size);
      if (got <= 0) {
        position_ = kUnknownPosition;
        return false;
      }
      out += got;
      size -= static_cast<size_t>(got);
      position_ += static_cast<uint64_t>(got);
    }
    return true;
  }

  OsFile file_;
  uint64_t start_;
  uint64_t size_;
  bool ownsPosition_;
  uint64_t position_ = kUnknownPosition;  ///< the file's own position, when known
  std::unique_ptr<uint8_t[]> piece_;
  uint64_t pieceStart_ = 0;
  size_t pieceLength_ = 0;
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
  return std::make_unique<FileSource>(std::move(file), 0, info.size, true);
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
  return std::make_unique<FileSource>(std::move(file), start, info.size, false);
}

}  // namespace zip
