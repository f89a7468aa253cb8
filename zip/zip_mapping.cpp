// Anonymous mappings on POSIX systems.
#include "zip/zip_mapping.h"

#include <sys/mman.h>

namespace zip {

bool AnonymousMapping::Create(size_t size) {
  Release();
  void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return false;
  data_ = static_cast<uint8_t*>(p);
  size_ = size;
  return true;
}

void AnonymousMapping::Release() {
  if (data_ != nullptr) munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace zip
