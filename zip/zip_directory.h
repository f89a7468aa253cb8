// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// The archive's end record and central directory: finding them, checking them against the source,
// walking the central headers one by one, and telling whether an entry's local bytes are its own.
#pragma once

#include <cstdint>
#include <vector>

#include "zip/zip_records.h"
#include "zip/zip_source.h"

namespace zip {

/// The end record begins at most this many bytes before the end of the source: it is followed by
/// nothing but its comment, which holds at most 0xFFFF bytes.
constexpr uint64_t kEndRecordSearchSpan = 0xFFFF + sizeof(EndRecord);
/// The ZIP64 end locator, 20 bytes, that sits right before the end record of a ZIP64 archive.
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr size_t kZip64LocatorSize = 20;

/// The packed DOS date and time of a header: date in the high half, time in the low half.
inline uint32_t DosDateTimeOf(const CentralHeader& header) {
  return static_cast<uint32_t>(header.dosDate) << 16 | header.dosTime;
}

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
  /// Finds and checks the end record of source, reads the first central header and notes where
  /// every entry's local header lies. False when there is no valid end record, the directory does
  /// not fit the source, the entry count cannot be right, the archive is ZIP64, or the first header
  /// cannot be read.
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

  /// True when the current entry's stored name is the length bytes at name.
  bool CurrentNameIs(const uint8_t* name, size_t length);

  /// Source position of the current entry's local header, shifted like every directory position.
  uint64_t CurrentLocalHeaderPosition() const { return prefixSize_ + current_.localHeaderOffset; }

  /// True when the bytes [start, end) of an entry's local header and data, start being a local
  /// header position of this directory, share no byte with any other entry's local header and data
  /// nor with the central directory. Two central records naming one local header share it all.
  bool LocalSpanStandsAlone(uint64_t start, uint64_t end) const;

 private:
  /// Where an entry's local bytes begin, and how far they reach at the least: the header, the name
  /// and the data, all but the local extra field, whose length only the local header tells.
  struct LocalSpan {
    uint64_t start;
    uint64_t leastEnd;
  };

  bool FindEndRecord(uint64_t* position);
  bool ReadHeader(uint64_t position, CentralHeader* header);
  bool ReadHeaderAt(uint64_t position);
  const uint8_t* DirectoryBytes(uint64_t position, size_t size);
  void NoteLocalSpans();

  ZipSource* source_ = nullptr;
  int32_t entryCount_ = 0;
  uint64_t prefixSize_ = 0;       ///< bytes before the archive (self-extracting layout)
  uint64_t directoryStart_ = 0;   ///< source position of the first central header
  uint64_t directoryEnd_ = 0;     ///< source position just past the last central header
  int32_t currentIndex_ = 0;
  uint64_t currentPosition_ = 0;
  bool currentValid_ = false;
  CentralHeader current_{};
  /// A piece of the directory as read from the source, so that walking it costs a read per piece
  /// rather than two per header.
  std::vector<uint8_t> window_;
  uint64_t windowStart_ = 0;
  /// The reachable entries' local spans by start, and for each the farthest leastEnd of those
  /// before it.
  std::vector<LocalSpan> spans_;
  std::vector<uint64_t> reachBefore_;
};

}  // namespace zip
