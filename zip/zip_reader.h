// The zip reader's operations: open an archive from a file, a caller's file handle or memory, find
// and describe its entries, and extract them into memory or into files below a base folder.
// Archives are treated as hostile: every size and offset is checked before it is used, and no entry
// name can make a file outside the base folder.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zip/zip_handle.h"
#include "zip/zip_result.h"

namespace zip {

/// Where ZipReaderOpenEx takes the archive from.
enum class ZipSourceKind : int32_t {
  Handle = 1,  ///< source is the caller's open file (a HANDLE on Windows, a descriptor cast to a
               ///< pointer elsewhere); the archive starts at its current position; not owned
  FileName = 2,  ///< source is a NUL-terminated file name; opened for reading and owned
  Memory = 3,    ///< source points to size bytes of memory, borrowed until the reader is closed
};

/// A Windows FILETIME: 100-nanosecond intervals since 1601-01-01 UTC, low half first.
struct ZipFileTime {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
};

/// What the reader tells about one entry. Plain record, same layout on every build.
///
/// off  size  field
///   0     4  index: the entry's index; for the summary (index -1) the number of entries
///   4   260  name: sanitised entry name, NUL-terminated, never absolute, never climbing out
/// 264     4  attributes: Windows file attributes (read-only 0x01, hidden 0x02, system 0x04,
///            directory 0x10, archive 0x20)
/// 268     8  accessTime, UTC
/// 276     8  createTime, UTC
/// 284     8  modifyTime, UTC
/// 292     4  compressedSize, from the central directory
/// 296     4  uncompressedSize, from the central directory
struct ZipEntryInfo {
  int32_t index;
  char name[260];
  uint32_t attributes;
  ZipFileTime accessTime;
  ZipFileTime createTime;
  ZipFileTime modifyTime;
  int32_t compressedSize;
  int32_t uncompressedSize;
};
static_assert(sizeof(ZipFileTime) == 8);
static_assert(sizeof(ZipEntryInfo) == 300);
static_assert(offsetof(ZipEntryInfo, name) == 4);
static_assert(offsetof(ZipEntryInfo, attributes) == 264);
static_assert(offsetof(ZipEntryInfo, accessTime) == 268);
static_assert(offsetof(ZipEntryInfo, createTime) == 276);
static_assert(offsetof(ZipEntryInfo, modifyTime) == 284);
static_assert(offsetof(ZipEntryInfo, compressedSize) == 292);
static_assert(offsetof(ZipEntryInfo, uncompressedSize) == 296);

/// Opens the archive file fileName; ZipReaderOpenEx with ZipSourceKind::FileName.
ZipHandle* ZipReaderOpen(const char* fileName, const char* password);

/// Opens an archive from source (see ZipSourceKind); size counts only for memory. password (copied;
/// null for none) deciphers enciphered entries. Returns the handle, or null with the reason as the
/// reader's last result: BadArgument for a null source or unknown kind, SeekFailed for a handle
/// whose position cannot be read, CannotOpen for a file that cannot be opened or a source without a
/// valid end record and central directory. The base folder starts as the current directory.
ZipHandle* ZipReaderOpenEx(const void* source, uint32_t size, int32_t kind, const char* password);

/// Finds the entry stored as name (compared as stored; ASCII letters folded when the low byte of
/// ignoreCase is not 0). On a match fills index and info where given and closes an extraction in
/// progress; NotFound (index -1, info zeroed with index -1) when there is none.
ZipResult ZipReaderFindEntry(ZipHandle* handle, const char* name, int32_t ignoreCase, int32_t* index,
                             ZipEntryInfo* info);

/// Fills info for entry index, or the summary for index -1. Corrupt when the local header disagrees
/// with the directory or the name cannot be made safe, BadArgument for an index out of range or a
/// null info. Closes an extraction to memory in progress.
ZipResult ZipReaderGetEntry(ZipHandle* handle, int32_t index, ZipEntryInfo* info);

/// Sets the folder below which relative extraction targets are placed (at most 259 characters; a
/// separator is appended when missing). BadArgument for a null, empty or too long folder.
ZipResult ZipReaderSetBaseDir(ZipHandle* handle, const char* directory);

/// Extracts entry index into buffer, size bytes at a time. MoreData: the buffer is full and the next
/// call with the same index continues; Ok: the entry is complete and its CRC-32 matched (the last
/// part's length follows from uncompressedSize); a further call returns Ok with nothing, the next one
/// starts over. FlateFailed for data that cannot be read or inflated, ends early, runs long or fails
/// its CRC-32; BadPassword for a wrong password.
ZipResult ZipReaderExtractToMemory(ZipHandle* handle, int32_t index, void* buffer, uint32_t size);

/// Extracts entry index into the file targetPath: below the base folder when relative (a relative
/// target must not climb out of it, else BadArgument), as given when absolute. Folders on the way are
/// made; the file gets the entry's attributes and times. The file is written under a temporary name
/// and put in place only when complete, so a failed extraction leaves any earlier file untouched.
/// A directory entry only makes its folders.
ZipResult ZipReaderExtractToFile(ZipHandle* handle, int32_t index, const char* targetPath);

/// Closes the reader and frees the handle, which must not be used again.
ZipResult ZipReaderClose(ZipHandle* handle);

}  // namespace zip
