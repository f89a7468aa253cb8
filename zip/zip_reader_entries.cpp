// CZipReader: opening, and finding and describing entries.
#include "zip/zip_reader_object.h"

#include <cstring>
#include <vector>

#include "zip/zip_entry_facts.h"
#include "zip/zip_entry_name.h"
#include "zip/zip_extract_files.h"

namespace zip {
namespace {

// Names compared by find are read into a buffer of this many bytes; longer ones never match.
constexpr size_t kFindNameCapacity = 256;

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool NamesMatch(const char* stored, const char* wanted, size_t length, bool ignoreCase) {
  if (!ignoreCase) return memcmp(stored, wanted, length) == 0;
  for (size_t i = 0; i < length; ++i) {
    if (FoldAscii(stored[i]) != FoldAscii(wanted[i])) return false;
  }
  return true;
}

std::string WithSeparator(std::string folder) {
  if (folder.empty() || !IsSeparator(folder.back())) folder += '\\';
  return folder;
}

}  // namespace

std::unique_ptr<CZipReader> CZipReader::Open(const void* source, uint32_t size, int32_t kind,
                                             const char* password, ZipResult* result) {
  std::unique_ptr<CZipReader> reader(new CZipReader());
  if (source == nullptr && kind != static_cast<int32_t>(ZipSourceKind::Handle)) {
    *result = ZipResult::BadArgument;
    return nullptr;
  }
  switch (static_cast<ZipSourceKind>(kind)) {
    case ZipSourceKind::Handle: reader->source_ = BorrowFileSource(source, result); break;
    case ZipSourceKind::FileName: reader->source_ = OpenFileSource(static_cast<const char*>(source), result); break;
    case ZipSourceKind::Memory:
      reader->source_ = MakeMemorySource(source, size);
      *result = ZipResult::Ok;
      break;
    default: *result = ZipResult::BadArgument; return nullptr;
  }
  if (!reader->source_) return nullptr;
  if (!reader->directory_.Open(*reader->source_)) {
    *result = ZipResult::CannotOpen;
    return nullptr;
  }
  if (password != nullptr) {
    reader->hasPassword_ = true;
    reader->password_ = password;
  }
  reader->baseDirectory_ = WithSeparator(CurrentDirectory());
  *result = ZipResult::Ok;
  return reader;
}

// The local header must agree with the central record: its signature, method, sizes and CRC-32
// (unless a data descriptor follows the data) and its name, byte for byte, since it is the local
// header that decides where the data lies. Its bytes and the data must be the entry's own.
ZipResult CZipReader::CheckLocalHeader(LocalFacts* facts) {
  const CentralHeader& central = directory_.Current();
  uint64_t position = directory_.CurrentLocalHeaderPosition();
  uint8_t bytes[sizeof(LocalHeader)];
  if (!source_->ReadAt(position, bytes, sizeof bytes)) return ZipResult::Corrupt;
  LocalHeader local;
  memcpy(&local, bytes, sizeof local);
  if (local.signature != kLocalHeaderSignature) return ZipResult::Corrupt;
  if (local.method != central.method || (local.method != kMethodStored && local.method != kMethodDeflated)) {
    return ZipResult::Corrupt;
  }
  if ((local.flags & kFlagDataDescriptor) == 0 &&
      (local.crc32 != central.crc32 || local.compressedSize != central.compressedSize ||
       local.uncompressedSize != central.uncompressedSize)) {
    return ZipResult::Corrupt;
  }
  if (local.nameLength != central.nameLength) return ZipResult::Corrupt;
  // Both lengths are 16-bit, so this buffer holds at most 128 KiB.
  localBytes_.resize(static_cast<size_t>(local.nameLength) + local.extraLength);
  if (!source_->ReadAt(position + sizeof(LocalHeader), localBytes_.data(), localBytes_.size())) {
    return ZipResult::ReadFailed;
  }
  if (!directory_.CurrentNameIs(localBytes_.data(), local.nameLength)) return ZipResult::Corrupt;
  facts->extra = localBytes_.data() + local.nameLength;
  facts->extraLength = local.extraLength;
  facts->dataPosition = position + sizeof(LocalHeader) + localBytes_.size();
  uint64_t dataEnd = facts->dataPosition + central.compressedSize;
  return directory_.LocalSpanStandsAlone(position, dataEnd) ? ZipResult::Ok : ZipResult::Corrupt;
}

ZipResult CZipReader::GetEntry(int32_t index, ZipEntryInfo* info) {
  if (index < -1 || index >= directory_.EntryCount()) return ZipResult::BadArgument;
  CloseEntry();
  if (index != -1 && index == lastInfoIndex_) {
    *info = lastInfo_;
    return ZipResult::Ok;
  }
  if (index == -1) {
    memset(info, 0, sizeof *info);
    info->index = directory_.EntryCount();
    return ZipResult::Ok;
  }
  if (!directory_.GoTo(index)) return ZipResult::Corrupt;
  const CentralHeader central = directory_.Current();
  char stored[kEntryNameCapacity];
  if (central.nameLength >= kEntryNameCapacity || !directory_.ReadCurrentName(stored, sizeof stored)) {
    return ZipResult::Corrupt;
  }
  // Larger sizes (and the ZIP64 marker 0xFFFFFFFF) are beyond what this reader can describe.
  if (central.compressedSize > kLargestEntrySize || central.uncompressedSize > kLargestEntrySize) {
    return ZipResult::Corrupt;
  }
  LocalFacts local{};
  ZipResult checked = CheckLocalHeader(&local);
  if (checked != ZipResult::Ok) return checked;

  ZipEntryInfo out{};
  out.index = index;
  if (!SanitiseEntryName(stored, central.nameLength, out.name)) return ZipResult::Corrupt;
  bool endsInSeparator = central.nameLength > 0 && IsSeparator(stored[central.nameLength - 1]);
  out.attributes = EntryAttributes(central.versionMadeBy, central.externalAttributes, endsInSeparator);
  ZipFileTime dosTime = ToZipFileTime(FileTimeFromDosDateTime(DosDateTimeOf(central)));
  out.accessTime = out.createTime = out.modifyTime = dosTime;
  ApplyExtendedTimestamp(local.extra, local.extraLength, &out);
  out.compressedSize = static_cast<int32_t>(central.compressedSize);
  out.uncompressedSize = static_cast<int32_t>(central.uncompressedSize);
  lastInfo_ = out;
  lastInfoIndex_ = index;
  *info = out;
  return ZipResult::Ok;
}

ZipResult CZipReader::FindEntry(const char* name, int32_t ignoreCase, int32_t* index, ZipEntryInfo* info) {
  if (name == nullptr || name[0] == '\0') return ZipResult::BadArgument;
  size_t length = strnlen(name, kFindNameCapacity);
  bool fold = (ignoreCase & 0xFF) != 0;
  int32_t savedIndex = directory_.CurrentIndex();
  bool savedValid = directory_.CurrentIsValid();
  int32_t found = -1;
  if (length < kFindNameCapacity) {
    char stored[kFindNameCapacity];
    for (int32_t i = 0; i < directory_.EntryCount() && found < 0; ++i) {
      if (!directory_.GoTo(i)) break;
      if (directory_.Current().nameLength != length) continue;
      if (!directory_.ReadCurrentName(stored, sizeof stored)) break;
      if (NamesMatch(stored, name, length, fold)) found = i;
    }
  }
  if (found < 0) {
    if (savedValid) (void)directory_.GoTo(savedIndex);
    if (index != nullptr) *index = -1;
    if (info != nullptr) {
      memset(info, 0, sizeof *info);
      info->index = -1;
    }
    return ZipResult::NotFound;
  }
  CloseEntry();
  if (index != nullptr) *index = found;
  if (info != nullptr) return GetEntry(found, info);
  return ZipResult::Ok;
}

ZipResult CZipReader::SetBaseDir(const char* directory) {
  if (directory == nullptr || directory[0] == '\0' || strnlen(directory, kEntryNameCapacity) >= kEntryNameCapacity) {
    return ZipResult::BadArgument;
  }
  std::string base = WithSeparator(directory);
  if (base.size() >= kEntryNameCapacity) return ZipResult::BadArgument;
  baseDirectory_ = base;
  return ZipResult::Ok;
}

}  // namespace zip
