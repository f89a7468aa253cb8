// Handle checks and last results. The last results are per thread: the archive thread and the GUI
// thread may each hold a writer, and one must not read the other's result.
#include "zip/zip_handle.h"

#include "zip/zip_handle_internal.h"

namespace zip {
namespace {

thread_local ZipResult tWriterLastResult = ZipResult::Ok;
thread_local ZipResult tReaderLastResult = ZipResult::Ok;

}  // namespace

bool ZipIsReader(const ZipHandle* handle) { return handle != nullptr && handle->kind == ZipKind::Reader; }

ZipResult ZipWriterLastResult() { return tWriterLastResult; }

ZipResult ZipReaderLastResult() { return tReaderLastResult; }

ZipResult StoreLastResult(ZipKind side, ZipResult result) {
  if (side == ZipKind::Reader) {
    tReaderLastResult = result;
  } else {
    tWriterLastResult = result;
  }
  return result;
}

ZipResult CheckHandle(const ZipHandle* handle, ZipKind side) {
  if (handle == nullptr) return StoreLastResult(side, ZipResult::BadArgument);
  if (handle->kind != side) return StoreLastResult(side, ZipResult::WrongKind);
  return ZipResult::Ok;
}

}  // namespace zip
