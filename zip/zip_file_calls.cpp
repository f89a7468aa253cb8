// The replaceable table of file calls and the handle owner built on it.
#include "zip/zip_file.h"

namespace zip {
namespace {

const FileCalls* gTestCalls = nullptr;

}  // namespace

const FileCalls& ActiveFileCalls() { return gTestCalls != nullptr ? *gTestCalls : SystemFileCalls(); }

void SetFileCallsForTesting(const FileCalls* calls) { gTestCalls = calls; }

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    (void)Close();
    handle_ = other.handle_;
    owned_ = other.owned_;
    other.handle_ = kNoFile;
  }
  return *this;
}

bool OsFile::Close() {
  if (handle_ == kNoFile) return true;
  bool ok = true;
  if (owned_) ok = ActiveFileCalls().close(handle_);
  handle_ = kNoFile;
  return ok;
}

}  // namespace zip
