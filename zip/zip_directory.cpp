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
  if (archiveStart > sourceSize || sourceSize - archiveStart < end_layout::kSize) return false;
  uint64_t archiveSize = sourceSize - archiveStart;
  uint64_t span = archiveSize < end_layout::kSearchSpan ? archiveSize : end_layout::kSearchSpan;
  // span <= 0xFFFF, so this buffer is bounded whatever the source holds.
  std::vector<uint8_t> tail(static_cast<size_t>(span));
  uint64_t tailStart = sourceSize - span;
  if (!source_->ReadAt(tailStart, tail.data(), tail.size())) return false;
  // The hit nearest the end is the end record; one that cannot hold the whole record is a damaged
  // archive, not a reason to look further back.
  for (size_t at = tail.size() - 4 + 1; at-- > 0;) {
    if (Get32(&tail[at]) != end_layout::kSignature) continue;
    if (tail.size() - at < end_layout::kSize) return false;
    *position = tailStart + at;
    return true;
  }
  return false;
}

bool ZipDirectory::Open(ZipSource& source) {
  source_ = &source;
  uint64_t endPosition = 0;
  if (!FindEndRecord(&endPosition)) return false;
  uint8_t end[end_layout::kSize];
  if (!source.ReadAt(endPosition, end, sizeof end)) return false;
  uint16_t entriesOnDisk = Get16(end + end_layout::kEntriesOnDisk);
  uint16_t totalEntries = Get16(end + end_layout::kTotalEntries);
  uint32_t directorySize = Get32(end + end_layout::kDirectorySize);
  uint32_t directoryOffset = Get32(end + end_layout::kDirectoryOffset);
  if (Get16(end + end_layout::kDisk) != 0 || Get16(end + end_layout::kDirectoryDisk) != 0) return false;
  if (entriesOnDisk != totalEntries) return false;
  // A comment cut short means the whole file was cut short.
  if (Get16(end + end_layout::kCommentLength) > source.Size() - endPosition - end_layout::kSize) return false;

  // A ZIP64 archive keeps its real counts and offsets in records this reader does not handle; the
  // saturated values in the classic record would otherwise be taken at face value.
  bool saturated = totalEntries == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF;
  if (saturated && endPosition >= end_layout::kZip64LocatorSize) {
    uint8_t locator[4];
    if (source.ReadAt(endPosition - end_layout::kZip64LocatorSize, locator, sizeof locator) &&
        Get32(locator) == end_layout::kZip64LocatorSignature) {
      return false;
    }
  }

  uint64_t directoryEnd = static_cast<uint64_t>(directoryOffset) + directorySize;
  if (directoryEnd > endPosition) return false;
  // Every central header takes at least 46 bytes, so a count the directory cannot hold is a lie.
  if (totalEntries > directorySize / central_layout::kSize) return false;

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
  if (position > directoryEnd_ || directoryEnd_ - position < central_layout::kSize) return false;
  uint8_t h[central_layout::kSize];
  if (!source_->ReadAt(position, h, sizeof h)) return false;
  if (Get32(h) != central_layout::kSignature) return false;
  using namespace central_layout;
  CentralHeader c;
  c.versionMadeBy = Get16(h + kVersionMadeBy);
  c.versionNeeded = Get16(h + kVersionNeeded);
  c.flags = Get16(h + kFlags);
  c.method = Get16(h + kMethod);
  c.dosDateTime = static_cast<uint32_t>(Get16(h + kDate)) << 16 | Get16(h + kTime);
  c.crc32 = Get32(h + kCrc32);
  c.compressedSize = Get32(h + kCompressedSize);
  c.uncompressedSize = Get32(h + kUncompressedSize);
  c.nameLength = Get16(h + kNameLength);
  c.extraLength = Get16(h + kExtraLength);
  c.commentLength = Get16(h + kCommentLength);
  c.diskNumberStart = Get16(h + kDiskNumberStart);
  c.internalAttributes = Get16(h + kInternalAttributes);
  c.externalAttributes = Get32(h + kExternalAttributes);
  c.localHeaderOffset = Get32(h + kLocalHeaderOffset);
  uint64_t variable = static_cast<uint64_t>(c.nameLength) + c.extraLength + c.commentLength;
  if (variable > directoryEnd_ - position - kSize) return false;
  current_ = c;
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
    uint64_t next = currentPosition_ + central_layout::kSize + current_.nameLength + current_.extraLength +
                    current_.commentLength;
    ++currentIndex_;
    currentValid_ = ReadHeaderAt(next);
    if (!currentValid_) return false;
  }
  return true;
}

bool ZipDirectory::ReadCurrentName(char* name, size_t capacity) {
  if (!currentValid_ || capacity < current_.nameLength) return false;
  return source_->ReadAt(currentPosition_ + central_layout::kSize, name, current_.nameLength);
}

}  // namespace zip
