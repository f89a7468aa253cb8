// Internal to the zip library: callers must not include this header (use zip/zip_handle.h).
// The handle record, the check every operation makes first, and the store of the last results.
#pragma once

#include <cstdint>

#include "zip/zip_handle.h"

namespace zip {

enum class ZipKind : int32_t { Reader = 1, Writer = 2 };

/// The record behind a handle. kind is only ever Reader or Writer; object points to the archive
/// object of that kind (CZipReader or CZipWriter), which the handle's close operation deletes.
struct ZipHandle {
  ZipKind kind;
  void* object;
};

/// Stores result as the last result of side and returns it.
ZipResult StoreLastResult(ZipKind side, ZipResult result);

/// The check every operation of side makes first: BadArgument for a null handle, WrongKind for a
/// handle of the other side, Ok otherwise. Failures are stored as side's last result.
ZipResult CheckHandle(const ZipHandle* handle, ZipKind side);

}  // namespace zip
