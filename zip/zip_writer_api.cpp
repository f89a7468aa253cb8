// The writer's public operations: handle checks and last results around CZipWriter.
#include <new>
#include <string>
#include <string_view>

#include "zip/zip_handle_internal.h"
#include "zip/zip_names.h"
#include "zip/zip_temporary_name.h"
#include "zip/zip_writer.h"
#include "zip/zip_writer_internal.h"

namespace zip {
namespace {

CZipWriter* WriterOf(ZipHandle* handle) { return static_cast<CZipWriter*>(handle->object); }

ZipResult Store(ZipResult result) { return StoreLastResult(ZipKind::Writer, result); }

}  // namespace

bool IsWriterTemporaryName(const char* fileName, const char* archiveEnding) {
  const std::string name = fileName;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    // The temporary name of an empty name is the part each attempt appends.
    const std::string appended = TemporaryName(std::string(), attempt);
    if (name.size() <= appended.size() ||
        name.compare(name.size() - appended.size(), appended.size(), appended) != 0)
      continue;
    const std::string_view archive = std::string_view(name).substr(0, name.size() - appended.size());
    const std::string_view ending = archiveEnding;
    if (archive.size() > ending.size() &&
        EqualsIgnoringCase(archive.substr(archive.size() - ending.size()), ending))
      return true;
  }
  return false;
}

ZipHandle* ZipWriterOpen(const char* fileName, const char* password) {
  return ZipWriterOpenEx(fileName, 0, kZipTargetFile, password);
}

ZipHandle* ZipWriterOpenEx(const void* target, uint32_t size, int32_t mode, const char* password) {
  std::unique_ptr<CZipWriter> writer;
  ZipResult result = CZipWriter::Open(target, size, mode, password, writer);
  if (result != ZipResult::Ok) {
    (void)Store(result);
    return nullptr;
  }
  ZipHandle* handle = new (std::nothrow) ZipHandle{ZipKind::Writer, writer.get()};
  if (handle == nullptr) {
    (void)writer->Close();
    (void)Store(ZipResult::CannotMap);
    return nullptr;
  }
  writer.release();
  (void)Store(ZipResult::Ok);
  return handle;
}

ZipResult ZipWriterAddFile(ZipHandle* handle, const char* nameInArchive, const char* sourceFileName) {
  ZipResult check = CheckHandle(handle, ZipKind::Writer);
  if (check != ZipResult::Ok) return check;
  return Store(WriterOf(handle)->AddEntry(nameInArchive, sourceFileName, 0, SourceKind::FileName));
}

ZipResult ZipWriterAddMemory(ZipHandle* handle, const char* nameInArchive, const void* data, uint32_t length) {
  ZipResult check = CheckHandle(handle, ZipKind::Writer);
  if (check != ZipResult::Ok) return check;
  return Store(WriterOf(handle)->AddEntry(nameInArchive, data, length, SourceKind::Memory));
}

ZipResult ZipWriterClose(ZipHandle* handle) {
  ZipResult check = CheckHandle(handle, ZipKind::Writer);
  if (check != ZipResult::Ok) return check;
  CZipWriter* writer = WriterOf(handle);
  ZipResult result = writer->Close();
  delete writer;
  delete handle;
  return Store(result);
}

}  // namespace zip
