// Anonymous mappings on Windows: a section backed by the page file.
#include "zip/zip_mapping.h"

#include <windows.h>

namespace zip {

bool AnonymousMapping::Create(size_t size) {
  Release();
  uint64_t wide = size;
  HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(wide >> 32),
                                      static_cast<DWORD>(wide & 0xFFFFFFFFu), nullptr);
  if (section == nullptr) return false;
  void* view = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, size);
  if (view == nullptr) {
    CloseHandle(section);
    return false;
  }
  section_ = section;
  data_ = static_cast<uint8_t*>(view);
  size_ = size;
  return true;
}

void AnonymousMapping::Release() {
  if (data_ != nullptr) UnmapViewOfFile(data_);
  if (section_ != nullptr) CloseHandle(static_cast<HANDLE>(section_));
  data_ = nullptr;
  section_ = nullptr;
  size_ = 0;
}

}  // namespace zip
