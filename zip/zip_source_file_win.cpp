// File sources on Windows: ReadFile at positions given through OVERLAPPED, which works on the
// synchronous handles the reader and its callers open.
#include "zip/zip_source.h"

#include <windows.h>

namespace zip {
namespace {

class FileSource final : public ZipSource {
 public:
  FileSource(HANDLE file, bool owned, uint64_t start, uint64_t size)
      : file_(file), owned_(owned), start_(start), size_(size) {}
  ~FileSource() override {
    if (owned_) CloseHandle(file_);
  }

  uint64_t Size() const override { return size_; }
  uint64_t ArchiveStart() const override { return start_; }

  bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset > size_ || size > size_ - offset) return false;
    auto* out = static_cast<uint8_t*>(buffer);
    uint64_t position = offset;
    while (size != 0) {
      DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(position);
      at.OffsetHigh = static_cast<DWORD>(position >> 32);
      DWORD got = 0;
      if (!ReadFile(file_, out, chunk, &got, &at) || got == 0) return false;
      out += got;
      position += got;
      size -= got;
    }
    return true;
  }

 private:
  HANDLE file_;
  bool owned_;
  uint64_t start_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<ZipSource> OpenFileSource(const char* fileName, ZipResult* result) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER end{};
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &end) || end.QuadPart < 0) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  *result = ZipResult::Ok;
  return std::make_unique<FileSource>(file, true, 0, static_cast<uint64_t>(end.QuadPart));
}

std::unique_ptr<ZipSource> BorrowFileSource(const void* handle, ZipResult* result) {
  HANDLE file = const_cast<HANDLE>(handle);
  LARGE_INTEGER zero{};
  LARGE_INTEGER start{};
  if (file == INVALID_HANDLE_VALUE || !SetFilePointerEx(file, zero, &start, FILE_CURRENT) ||
      GetFileType(file) != FILE_TYPE_DISK) {
    *result = ZipResult::SeekFailed;
    return nullptr;
  }
  LARGE_INTEGER end{};
  if (!GetFileSizeEx(file, &end) || start.QuadPart < 0 || end.QuadPart < start.QuadPart) {
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  *result = ZipResult::Ok;
  return std::make_unique<FileSource>(file, false, static_cast<uint64_t>(start.QuadPart),
                                      static_cast<uint64_t>(end.QuadPart));
}

}  // namespace zip
