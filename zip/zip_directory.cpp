// End record search and central-directory walk.
//
// Positions inside the archive are 32-bit offsets counted from where its writer started: the start
// of the file for a writer that was handed a positioned file, the archive's own first byte for one
// that was later appended to other data (a self-extracting program). The end record's position in
// the source tells which: the central directory ends right where the end record begins, so the
// offsets are shifted by endPosition - (offset + size), whatever the caller's start position. All
// of this is computed in 64 bits, so no offset or size from the archive can wrap a check.
#include "zip/zip_directory.h"

#include <cstring>
#include <vector>

namespace zip {

bool ZipDirectory::FindEndRecord(uint64_t* position) {
  uint64_t sourceSize = source_->Size();
  uint64_t archiveStart = source_->ArchiveStart();
  if (archiveStart > sourceSize || sourceSize - archiveStart < sizeof(EndRecord)) return false;
  uint64_t archiveSize = sourceSize - archiveStart;
  uint64_t span = archiveSize < kEndRecordSearchSpan ? archiveSize : kEndRecordSearchSpan;
  // span <= 0xFFFF, so this buffer is bounded whatever the source holds.
  std::vector<uint8_t> tail(static_cast<size_t>(span));
  uint64_t tailStart = sourceSize - span;
  if (!source_->ReadAt(tailStart, tail.data(), tail.size())) return false;
  // The hit nearest the end is the end record; one that cannot hold the whole record is a damaged
  // archive, not a reason to look further back.
  for (size_t at = tail.size() - 4 + 1; at-- > 0;) {
    if (Get32(&tail[at]) != kEndRecordSignature) continue;
    if (tail.size() - at < sizeof(EndRecord)) return false;
    *position = tailStart + at;
    return true;
  }
  return false;
}

bool ZipDirectory::Open(ZipSource& source) {
  source_ = &source;
  uint64_t endPosition = 0;
  if (!FindEndRecord(&endPosition)) return false;
  uint8_t bytes[sizeof(EndRecord)];
  if (!source.ReadAt(endPosition, bytes, sizeof bytes)) return false;
  EndRecord end;
  memcpy(&end, bytes, sizeof end);
  uint16_t totalEntries = end.totalEntries;
  uint32_t directorySize = end.directorySize;
  uint32_t directoryOffset = end.directoryOffset;
  if (end.diskNumber != 0 || end.directoryDisk != 0 || end.diskEntries != totalEntries) return false;
  // A comment cut short means the whole file was cut short.
  if (end.commentLength > source.Size() - endPosition - sizeof(EndRecord)) return false;

  // A ZIP64 archive keeps its real counts and offsets in records this reader does not handle; the
  // saturated values in the classic record would otherwise be taken at face value.
  bool saturated = totalEntries == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF;
  if (saturated && endPosition >= kZip64LocatorSize) {
    uint8_t locator[4];
    if (source.ReadAt(endPosition - kZip64LocatorSize, locator, sizeof locator) &&
        Get32(locator) == kZip64LocatorSignature) {
      return false;
    }
  }

  uint64_t directoryEnd = static_cast<uint64_t>(directoryOffset) + directorySize;
  if (directoryEnd > endPosition) return false;
  // Every central header takes at least 46 bytes, so a count the directory cannot hold is a lie.
  if (totalEntries > directorySize / sizeof(CentralHeader)) return false;

  entryCount_ = totalEntries;
  prefixSize_ = endPosition - directoryEnd;
  directoryStart_ = prefixSize_ + directoryOffset;
  directoryEnd_ = endPosition;
  currentIndex_ = 0;
  currentPosition_ = directoryStart_;
  currentValid_ = false;
  if (entryCount_ == 0) return true;
  currentValid_ = ReadHeaderAt(directoryStart_);
  return currentValid_;
}

bool ZipDirectory::ReadHeaderAt(uint64_t position) {
  if (position > directoryEnd_ || directoryEnd_ - position < sizeof(CentralHeader)) return false;
  uint8_t bytes[sizeof(CentralHeader)];
  if (!source_->ReadAt(position, bytes, sizeof bytes)) return false;
  CentralHeader header;
  memcpy(&header, bytes, sizeof header);
  if (header.signature != kCentralHeaderSignature) return false;
  uint64_t variable = static_cast<uint64_t>(header.nameLength) + header.extraLength + header.commentLength;
  if (variable > directoryEnd_ - position - sizeof(CentralHeader)) return false;
  current_ = header;
  currentPosition_ = position;
  return true;
}

bool ZipDirectory::GoTo(int32_t index) {
  if (index < 0 || index >= entryCount_) return false;
  if (!currentValid_ || index < currentIndex_) {
    currentIndex_ = 0;
    currentValid_ = ReadHeaderAt(directoryStart_);
    if (!currentValid_) return false;
  }
  while (currentIndex_ < index) {
    uint64_t next = currentPosition_ + sizeof(CentralHeader) + current_.nameLength + current_.extraLength +
                    current_.commentLength;
    ++currentIndex_;
    currentValid_ = ReadHeaderAt(next);
    if (!currentValid_) return false;
  }
  return true;
}

bool ZipDirectory::ReadCurrentName(char* name, size_t capacity) {
  if (!currentValid_ || capacity < current_.nameLength) return false;
  return source_->ReadAt(currentPosition_ + sizeof(CentralHeader), name, current_.nameLength);
}

}  // namespace zip
