// The memory source, shared by every platform.
#include "zip/zip_source.h"

#include <cstring>

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

}  // namespace

std::unique_ptr<ZipSource> MakeMemorySource(const void* data, size_t size) {
  return std::make_unique<MemorySource>(data, size);
}

}  // namespace zip
