// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// The archive bytes the reader works on: a file (by name or by the caller's handle) or a memory
// block, read at positions counted from the start of the archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "zip/zip_result.h"

namespace zip {

/// Random access to the source's bytes. Positions count from the start of the source (the file),
/// not of the archive: a writer given a positioned handle records absolute offsets, while an
/// archive appended to other data records offsets from its own start, and the directory tells
/// which from where its end record lies.
class ZipSource {
 public:
  virtual ~ZipSource() = default;
  ZipSource() = default;
  ZipSource(const ZipSource&) = delete;
  ZipSource& operator=(const ZipSource&) = delete;

  /// Bytes in the whole source.
  virtual uint64_t Size() const = 0;

  /// Position at which the archive starts: the caller's handle position at open, else 0.
  virtual uint64_t ArchiveStart() const { return 0; }

  /// Reads exactly size bytes at offset into buffer. False when any of them lies past the end or the
  /// read fails: a short read is a failure, never a partial success.
  [[nodiscard]] virtual bool ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

/// A borrowed memory block of size bytes.
std::unique_ptr<ZipSource> MakeMemorySource(const void* data, size_t size);

/// Opens fileName for reading (shared for reading, existing only). Null with CannotOpen in *result
/// when it cannot be opened or its size cannot be read.
std::unique_ptr<ZipSource> OpenFileSource(const char* fileName, ZipResult* result);

/// Borrows the caller's open file: a HANDLE on Windows, a descriptor cast to a pointer elsewhere.
/// The archive starts at the file's current position. Null with SeekFailed in *result when that
/// position cannot be read (a pipe), CannotOpen when the size cannot.
std::unique_ptr<ZipSource> BorrowFileSource(const void* handle, ZipResult* result);

}  // namespace zip
