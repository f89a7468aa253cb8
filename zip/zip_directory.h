// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// The archive's end record and central directory: finding them, checking them against the source,
// and walking the central headers one by one.
#pragma once

#include <cstdint>

#include "zip/zip_source.h"

namespace zip {

/// The fields of one central-directory header the reader uses, as read (little-endian on disk).
///
/// off  size  field
///   0     4  signature, 0x02014b50
///   4     2  version made by (high byte: host system)
///   6     2  version needed to extract
///   8     2  general-purpose flags
///  10     2  compression method
///  12     2  DOS time
///  14     2  DOS date
///  16     4  CRC-32
///  20     4  compressed size
///  24     4  uncompressed size
///  28     2  name length
///  30     2  extra field length
///  32     2  comment length
///  34     2  disk number start
///  36     2  internal attributes
///  38     4  external attributes
///  42     4  offset of local header
///  46     n  name, then extra field and comment
struct CentralHeader {
  uint16_t versionMadeBy;
  uint16_t versionNeeded;
  uint16_t flags;
  uint16_t method;
  uint32_t dosDateTime;  ///< date in the high half, time in the low half
  uint32_t crc32;
  uint32_t compressedSize;
  uint32_t uncompressedSize;
  uint16_t nameLength;
  uint16_t extraLength;
  uint16_t commentLength;
  uint16_t diskNumberStart;
  uint16_t internalAttributes;
  uint32_t externalAttributes;
  uint32_t localHeaderOffset;
};

namespace central_layout {
constexpr uint32_t kSignature = 0x02014b50;
constexpr size_t kVersionMadeBy = 4, kVersionNeeded = 6, kFlags = 8, kMethod = 10, kTime = 12, kDate = 14;
constexpr size_t kCrc32 = 16, kCompressedSize = 20, kUncompressedSize = 24, kNameLength = 28;
constexpr size_t kExtraLength = 30, kCommentLength = 32, kDiskNumberStart = 34, kInternalAttributes = 36;
constexpr size_t kExternalAttributes = 38, kLocalHeaderOffset = 42, kSize = 46;
static_assert(kLocalHeaderOffset + 4 == kSize);
}  // namespace central_layout

/// The fields of a local file header.
///
/// off  size  field
///   0     4  signature, 0x04034b50
///   4     2  version needed to extract
///   6     2  general-purpose flags (bit 3: sizes and CRC-32 follow the data)
///   8     2  compression method
///  10     2  DOS time
///  12     2  DOS date
///  14     4  CRC-32
///  18     4  compressed size
///  22     4  uncompressed size
///  26     2  name length
///  28     2  extra field length
///  30     n  name, then the extra field, then the entry's data
struct LocalHeader {
  uint16_t flags;
  uint16_t method;
  uint32_t dosDateTime;
  uint32_t crc32;
  uint32_t compressedSize;
  uint32_t uncompressedSize;
  uint16_t nameLength;
  uint16_t extraLength;
};

namespace local_layout {
constexpr uint32_t kSignature = 0x04034b50;
constexpr size_t kVersionNeeded = 4, kFlags = 6, kMethod = 8, kTime = 10, kDate = 12, kCrc32 = 14;
constexpr size_t kCompressedSize = 18, kUncompressedSize = 22, kNameLength = 26, kExtraLength = 28, kSize = 30;
static_assert(kExtraLength + 2 == kSize);
}  // namespace local_layout

/// End of central directory record.
///
/// off  size  field
///   0     4  signature, 0x06054b50
///   4     2  number of this disk
///   6     2  disk with the central directory
///   8     2  entries on this disk
///  10     2  total entries
///  12     4  size of the central directory
///  16     4  offset of the central directory
///  20     2  comment length
namespace end_layout {
constexpr uint32_t kSignature = 0x06054b50;
constexpr size_t kDisk = 4, kDirectoryDisk = 6, kEntriesOnDisk = 8, kTotalEntries = 10;
constexpr size_t kDirectorySize = 12, kDirectoryOffset = 16, kCommentLength = 20, kSize = 22;
static_assert(kCommentLength + 2 == kSize);
/// The end record must begin within this many bytes of the source's end.
constexpr uint64_t kSearchSpan = 0xFFFF;
/// The ZIP64 end locator that sits right before the end record of a ZIP64 archive.
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kZip64LocatorSize = 20;
}  // namespace end_layout

/// General-purpose flag bits the reader acts on.
constexpr uint16_t kFlagEnciphered = 0x1;
constexpr uint16_t kFlagDataDescriptor = 0x8;
/// Compression methods the reader can extract.
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

/// Little-endian fields out of a byte buffer.
inline uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

/// The central directory of one archive and a cursor on it. Every position it hands out is already
/// shifted by the bytes that precede the archive in the source, and lies inside the source.
class ZipDirectory {
 public:
  /// Finds and checks the end record of source and reads the first central header. False when there
  /// is no valid end record, the directory does not fit the source, the entry count cannot be right,
  /// the archive is ZIP64, or the first header cannot be read.
  [[nodiscard]] bool Open(ZipSource& source);

  int32_t EntryCount() const { return entryCount_; }
  int32_t CurrentIndex() const { return currentIndex_; }
  bool CurrentIsValid() const { return currentValid_; }
  const CentralHeader& Current() const { return current_; }

  /// Moves the cursor to entry index (0 <= index < EntryCount()); false when a header on the way
  /// cannot be read, which leaves the cursor invalid until a lower index is asked for.
  [[nodiscard]] bool GoTo(int32_t index);

  /// Reads the current entry's stored name (not terminated) into name; false on a read failure.
  /// Requires: CurrentIsValid() and capacity >= Current().nameLength.
  [[nodiscard]] bool ReadCurrentName(char* name, size_t capacity);

  /// Source position of the current entry's local header, shifted like every directory position.
  uint64_t CurrentLocalHeaderPosition() const { return prefixSize_ + current_.localHeaderOffset; }

 private:
  bool FindEndRecord(uint64_t* position);
  bool ReadHeaderAt(uint64_t position);

  ZipSource* source_ = nullptr;
  int32_t entryCount_ = 0;
  uint64_t prefixSize_ = 0;       ///< bytes before the archive (self-extracting layout)
  uint64_t directoryStart_ = 0;   ///< source position of the first central header
  uint64_t directoryEnd_ = 0;     ///< source position just past the last central header
  int32_t currentIndex_ = 0;
  uint64_t currentPosition_ = 0;
  bool currentValid_ = false;
  CentralHeader current_{};
};

}  // namespace zip
