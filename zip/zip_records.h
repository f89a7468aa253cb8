// The zip archive records that the writer emits and the reader parses (PKWARE application note,
// section 4.3). Every multi-byte field is little-endian. The structs are packed so that their layout
// is the byte layout on every target; they are moved in and out of byte buffers with memcpy.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace zip {

static_assert(std::endian::native == std::endian::little, "zip records are copied as little-endian bytes");

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;    // "PK" 3 4
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;  // "PK" 1 2
constexpr uint32_t kEndRecordSignature = 0x06054B50;      // "PK" 5 6
constexpr uint32_t kDataDescriptorSignature = 0x08074B50; // "PK" 7 8
constexpr uint16_t kExtendedTimeId = 0x5455;              // "UT"

constexpr uint16_t kFlagEnciphered = 0x1;
constexpr uint16_t kFlagDataDescriptor = 0x8;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

/// Largest compressed or uncompressed entry size, in bytes. Readers hand sizes out as signed 32-bit
/// values, so the writer makes no larger entry and the reader takes none.
constexpr uint32_t kLargestEntrySize = 0x7FFFFFFF;

#pragma pack(push, 1)

/// Local file header; the name and the extra field follow it.
/// off  size  field
///   0     4  signature, 0x04034B50
///   4     2  version needed to extract
///   6     2  general-purpose flags
///   8     2  compression method
///  10     2  DOS time
///  12     2  DOS date
///  14     4  CRC-32
///  18     4  compressed size
///  22     4  uncompressed size
///  26     2  name length
///  28     2  extra field length
struct LocalHeader {
  uint32_t signature;
  uint16_t versionNeeded;
  uint16_t flags;
  uint16_t method;
  uint16_t dosTime;
  uint16_t dosDate;
  uint32_t crc32;
  uint32_t compressedSize;
  uint32_t uncompressedSize;
  uint16_t nameLength;
  uint16_t extraLength;
};

/// Central-directory header; the name, the extra field and the comment follow it.
/// off  size  field
///   0     4  signature, 0x02014B50
///   4     2  version made by (high byte host system, low byte format version times 10)
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
///  42     4  offset of the local header
struct CentralHeader {
  uint32_t signature;
  uint16_t versionMadeBy;
  uint16_t versionNeeded;
  uint16_t flags;
  uint16_t method;
  uint16_t dosTime;
  uint16_t dosDate;
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

/// End of central directory record; the archive comment follows it.
/// off  size  field
///   0     4  signature, 0x06054B50
///   4     2  number of this disk
///   6     2  disk holding the central directory
///   8     2  entries on this disk
///  10     2  entries in total
///  12     4  size of the central directory
///  16     4  offset of the central directory
///  20     2  comment length
struct EndRecord {
  uint32_t signature;
  uint16_t diskNumber;
  uint16_t directoryDisk;
  uint16_t diskEntries;
  uint16_t totalEntries;
  uint32_t directorySize;
  uint32_t directoryOffset;
  uint16_t commentLength;
};

/// Data descriptor, after an entry's data when its local header could not be completed.
/// off  size  field
///   0     4  signature, 0x08074B50
///   4     4  CRC-32
///   8     4  compressed size
///  12     4  uncompressed size
struct DataDescriptor {
  uint32_t signature;
  uint32_t crc32;
  uint32_t compressedSize;
  uint32_t uncompressedSize;
};

/// Extended time stamp ("UT") as the writer puts it into a local header.
/// off  size  field
///   0     2  header id, 0x5455
///   2     2  data size, 13
///   4     1  flags: bit 0 modification, bit 1 access, bit 2 creation time present
///   5     4  modification time, Unix seconds
///   9     4  access time
///  13     4  creation time
struct LocalExtendedTime {
  uint16_t headerId;
  uint16_t dataSize;
  uint8_t flags;
  uint32_t modifyTime;
  uint32_t accessTime;
  uint32_t createTime;
};

/// Extended time stamp as the writer puts it into a central header: the flags still say 7, but only
/// the modification time follows.
/// off  size  field
///   0     2  header id, 0x5455
///   2     2  data size, 5
///   4     1  flags
///   5     4  modification time, Unix seconds
struct CentralExtendedTime {
  uint16_t headerId;
  uint16_t dataSize;
  uint8_t flags;
  uint32_t modifyTime;
};

#pragma pack(pop)

static_assert(sizeof(LocalHeader) == 30);
static_assert(offsetof(LocalHeader, flags) == 6 && offsetof(LocalHeader, crc32) == 14);
static_assert(offsetof(LocalHeader, uncompressedSize) == 22 && offsetof(LocalHeader, extraLength) == 28);
static_assert(sizeof(CentralHeader) == 46);
static_assert(offsetof(CentralHeader, crc32) == 16 && offsetof(CentralHeader, nameLength) == 28);
static_assert(offsetof(CentralHeader, externalAttributes) == 38 && offsetof(CentralHeader, localHeaderOffset) == 42);
static_assert(sizeof(EndRecord) == 22);
static_assert(offsetof(EndRecord, totalEntries) == 10 && offsetof(EndRecord, directoryOffset) == 16);
static_assert(sizeof(DataDescriptor) == 16);
static_assert(sizeof(LocalExtendedTime) == 17);
static_assert(offsetof(LocalExtendedTime, modifyTime) == 5 && offsetof(LocalExtendedTime, createTime) == 13);
static_assert(sizeof(CentralExtendedTime) == 9);
static_assert(offsetof(CentralExtendedTime, modifyTime) == 5);

}  // namespace zip
