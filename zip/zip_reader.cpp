// The reader's public operations: the handle check, the work of CZipReader, the last result.
#include "zip/zip_reader.h"

#include <cstring>
#include <new>

#include "zip/zip_handle_internal.h"
#include "zip/zip_reader_object.h"

namespace zip {
namespace {

ZipResult Store(ZipResult result) { return StoreLastResult(ZipKind::Reader, result); }

CZipReader* ReaderOf(ZipHandle* handle) { return static_cast<CZipReader*>(handle->object); }

}  // namespace

ZipHandle* ZipReaderOpen(const char* fileName, const char* password) {
  return ZipReaderOpenEx(fileName, 0, static_cast<int32_t>(ZipSourceKind::FileName), password);
}

ZipHandle* ZipReaderOpenEx(const void* source, uint32_t size, int32_t kind, const char* password) {
  ZipResult result = ZipResult::Ok;
  std::unique_ptr<CZipReader> reader = CZipReader::Open(source, size, kind, password, &result);
  if (!reader) {
    (void)Store(result);
    return nullptr;
  }
  auto* handle = new (std::nothrow) ZipHandle{ZipKind::Reader, reader.get()};
  if (handle == nullptr) {
    (void)Store(ZipResult::CannotOpen);
    return nullptr;
  }
  reader.release();
  (void)Store(ZipResult::Ok);
  return handle;
}

ZipResult ZipReaderFindEntry(ZipHandle* handle, const char* name, int32_t ignoreCase, int32_t* index,
                             ZipEntryInfo* info) {
  ZipResult checked = CheckHandle(handle, ZipKind::Reader);
  if (checked != ZipResult::Ok) return checked;
  return Store(ReaderOf(handle)->FindEntry(name, ignoreCase, index, info));
}

ZipResult ZipReaderGetEntry(ZipHandle* handle, int32_t index, ZipEntryInfo* info) {
  if (info != nullptr) {
    info->index = 0;
    info->name[0] = '\0';
    info->uncompressedSize = 0;
  }
  ZipResult checked = CheckHandle(handle, ZipKind::Reader);
  if (checked != ZipResult::Ok) return checked;
  if (info == nullptr) return Store(ZipResult::BadArgument);
  return Store(ReaderOf(handle)->GetEntry(index, info));
}

ZipResult ZipReaderSetBaseDir(ZipHandle* handle, const char* directory) {
  ZipResult checked = CheckHandle(handle, ZipKind::Reader);
  if (checked != ZipResult::Ok) return checked;
  return Store(ReaderOf(handle)->SetBaseDir(directory));
}

ZipResult ZipReaderExtractToMemory(ZipHandle* handle, int32_t index, void* buffer, uint32_t size) {
  ZipResult checked = CheckHandle(handle, ZipKind::Reader);
  if (checked != ZipResult::Ok) return checked;
  return Store(ReaderOf(handle)->Extract(index, buffer, size, static_cast<int32_t>(ExtractTarget::Memory)));
}

ZipResult ZipReaderExtractToFile(ZipHandle* handle, int32_t index, const char* targetPath) {
  ZipResult checked = CheckHandle(handle, ZipKind::Reader);
  if (checked != ZipResult::Ok) return checked;
  return Store(ReaderOf(handle)->Extract(index, const_cast<char*>(targetPath), 0,
                                         static_cast<int32_t>(ExtractTarget::Path)));
}

ZipResult ZipReaderClose(ZipHandle* handle) {
  ZipResult checked = CheckHandle(handle, ZipKind::Reader);
  if (checked != ZipResult::Ok) return checked;
  delete ReaderOf(handle);
  delete handle;
  return Store(ZipResult::Ok);
}

}  // namespace zip
