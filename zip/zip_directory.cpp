// End record search, central-directory walk and the map of local spans.
//
// Positions inside the archive are 32-bit offsets counted from where its writer started: the start
// of the file for a writer that was handed a positioned file, the archive's own first byte for one
// that was later appended to other data (a self-extracting program). The end record's position in
// the source tells which: the central directory ends right where the end record begins, so the
// offsets are shifted by endPosition - (offset + size), whatever the caller's start position. All
// of this is computed in 64 bits, so no offset or size from the archive can wrap a check.
//
// Entries must not share bytes. Many central records pointing at one local entry, or entries whose
// data runs over the next entry's header, let a small archive extract to terabytes (the
// overlapping zip bomb). At open every reachable central record's local span is noted, so that an
// entry can be checked against all others with a binary search.
#include "zip/zip_directory.h"

#include <algorithm>
#include <cstring>

namespace zip {
namespace {

// Directory bytes are read in pieces of this size: a few hundred headers each.
constexpr size_t kWindowSize = 65536;

}  // namespace

bool ZipDirectory::FindEndRecord(uint64_t* position) {
  uint64_t sourceSize = source_->Size();
  uint64_t archiveStart = source_->ArchiveStart();
  if (archiveStart > sourceSize || sourceSize - archiveStart < sizeof(EndRecord)) return false;
  uint64_t archiveSize = sourceSize - archiveStart;
  uint64_t span = archiveSize < kEndRecordSearchSpan ? archiveSize : kEndRecordSearchSpan;
  // span <= kEndRecordSearchSpan, so this buffer is bounded whatever the source holds.
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
  window_.clear();
  if (entryCount_ == 0) return true;
  currentValid_ = ReadHeaderAt(directoryStart_);
  if (currentValid_) NoteLocalSpans();
  return currentValid_;
}

const uint8_t* ZipDirectory::DirectoryBytes(uint64_t position, size_t size) {
  if (position < directoryStart_ || position > directoryEnd_ || size > directoryEnd_ - position)
    return nullptr;
  if (position >= windowStart_ && position - windowStart_ <= window_.size() &&
      size <= window_.size() - (position - windowStart_)) {
    return window_.data() + (position - windowStart_);
  }
  // size is at most a header's variable part (3 * 0xFFFF bytes), so the window stays bounded.
  uint64_t rest = directoryEnd_ - position;
  size_t length = static_cast<size_t>(std::min<uint64_t>(rest, std::max(kWindowSize, size)));
  window_.resize(length);
  if (!source_->ReadAt(position, window_.data(), length)) {
    window_.clear();
    return nullptr;
  }
  windowStart_ = position;
  return window_.data();
}

bool ZipDirectory::ReadHeader(uint64_t position, CentralHeader* header) {
  const uint8_t* bytes = DirectoryBytes(position, sizeof(CentralHeader));
  if (bytes == nullptr) return false;
  memcpy(header, bytes, sizeof *header);
  if (header->signature != kCentralHeaderSignature) return false;
  uint64_t variable = static_cast<uint64_t>(header->nameLength) + header->extraLength + header->commentLength;
  return variable <= directoryEnd_ - position - sizeof(CentralHeader);
}

bool ZipDirectory::ReadHeaderAt(uint64_t position) {
  CentralHeader header;
  if (!ReadHeader(position, &header)) return false;
  current_ = header;
  currentPosition_ = position;
  return true;
}

void ZipDirectory::NoteLocalSpans() {
  spans_.clear();
  spans_.reserve(static_cast<size_t>(entryCount_));
  uint64_t position = directoryStart_;
  CentralHeader header;
  // An entry after an unreadable header can never be reached, so it needs no span.
  for (int32_t i = 0; i < entryCount_ && ReadHeader(position, &header); ++i) {
    uint64_t start = prefixSize_ + header.localHeaderOffset;
    spans_.push_back({start, start + sizeof(LocalHeader) + header.nameLength + header.compressedSize});
    position += sizeof(CentralHeader) + header.nameLength + header.extraLength + header.commentLength;
  }
  std::sort(spans_.begin(), spans_.end(),
            [](const LocalSpan& a, const LocalSpan& b) { return a.start < b.start; });
  reachBefore_.resize(spans_.size());
  uint64_t reach = 0;
  for (size_t i = 0; i < spans_.size(); ++i) {
    reachBefore_[i] = reach;
    reach = std::max(reach, spans_[i].leastEnd);
  }
}

bool ZipDirectory::LocalSpanStandsAlone(uint64_t start, uint64_t end) const {
  if (end > directoryStart_) return false;
  auto it = std::lower_bound(spans_.begin(), spans_.end(), start,
                             [](const LocalSpan& span, uint64_t value) { return span.start < value; });
  if (it == spans_.end() || it->start != start) return false;
  size_t at = static_cast<size_t>(it - spans_.begin());
  // The next entry, if any, starts at or after this one's end: a second record of the same start
  // fails here, since every span holds at least a local header.
  if (at + 1 < spans_.size() && spans_[at + 1].start < end) return false;
  // No entry before this one reaches into it.
  return reachBefore_[at] <= start;
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
  const uint8_t* bytes = DirectoryBytes(currentPosition_ + sizeof(CentralHeader), current_.nameLength);
  if (bytes == nullptr) return false;
  memcpy(name, bytes, current_.nameLength);
  return true;
}

bool ZipDirectory::CurrentNameIs(const uint8_t* name, size_t length) {
  if (!currentValid_ || length != current_.nameLength) return false;
  const uint8_t* stored = DirectoryBytes(currentPosition_ + sizeof(CentralHeader), length);
  return stored != nullptr && (length == 0 || memcmp(stored, name, length) == 0);
}

}  // namespace zip
