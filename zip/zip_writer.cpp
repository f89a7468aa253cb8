// CZipWriter: writes one archive in a single pass.
//
// Each entry is a local header, an optional 12-byte cipher header, the data, and, when the header
// could not be completed in place, a data descriptor. Where the output can be repositioned and the
// entry is not enciphered, the local header is rewritten once the CRC and sizes are known. Every
// archive byte goes through WriteOutput, which enciphers a copy while an entry's data is enciphered,
// keeps the memory target within bounds, refuses output past 4 GiB (the records' 32-bit limit) and
// fails the whole archive once a write to the output file falls short.
#include <zlib.h>

#include <cstring>
#include <new>

#include "zip/zip_clock.h"
#include "zip/zip_entry_name.h"
#include "zip/zip_names.h"
#include "zip/zip_records.h"
#include "zip/zip_temporary_name.h"
#include "zip/zip_writer_internal.h"

namespace zip {
namespace {

constexpr size_t kWorkBufferSize = 16384;
constexpr uint64_t kMaxArchiveBytes = 0xFFFFFFFFu;
// The end record counts entries in 16 bits.
constexpr size_t kMaxEntries = 0xFFFF;

// The reader refuses names it cannot make safe (control characters, device names, characters that
// Windows forbids, nothing left once "." and ".." are resolved); such a name is not written at all.
bool ReadsBack(const std::string& storedName) {
  char sanitised[kEntryNameCapacity];
  return SanitiseEntryName(storedName.data(), storedName.size(), sanitised);
}

uint32_t FileEntryAttributes(uint32_t attributes) {
  uint32_t result = attributes & 0x37;
  result |= (attributes & kAttributeDirectory) != 0 ? 0x41000000u : 0x81000000u;
  if ((attributes & kAttributeReadOnly) == 0) result |= 0x00800000u;
  return result;
}

// Creates a fresh file to write the archive to under one of path's temporary names, which it
// leaves in *name; kNoFile when none can be made. Files that bear those names are left alone.
OsHandle CreateTemporaryFile(const std::string& path, std::string* name) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    *name = TemporaryName(path, attempt);
    bool exists = false;
    OsHandle handle = ActiveFileCalls().createNew(name->c_str(), &exists);
    if (handle != kNoFile || !exists) return handle;
  }
  return kNoFile;
}

/// Binds the compressor's callbacks to the writer's source reader and output routine.
class EntryDeflateIo final : public DeflateIo {
 public:
  explicit EntryDeflateIo(CZipWriter& writer) : writer_(writer) {}
  int64_t ReadInput(uint8_t* buffer, size_t size) override { return writer_.ReadSource(buffer, size); }
  bool WriteOutput(const uint8_t* bytes, size_t size) override { return writer_.WriteOutput(bytes, size) == size; }

 private:
  CZipWriter& writer_;
};

}  // namespace

ZipResult CZipWriter::Open(const void* target, uint32_t size, int32_t mode, const char* password,
                           std::unique_ptr<CZipWriter>& writer) {
  writer.reset();
  std::unique_ptr<CZipWriter> w(new (std::nothrow) CZipWriter());
  if (w == nullptr) return ZipResult::CannotMap;
  switch (mode) {
    case 1: {
      OsHandle handle = reinterpret_cast<OsHandle>(target);
      if (target == nullptr || handle == kNoFile) return ZipResult::BadArgument;
      w->output_ = OsFile(handle, false);
      uint64_t position = 0;
      w->repositionable_ = w->output_.Tell(position);
      w->baseOffset_ = w->repositionable_ ? position : 0;
      w->target_ = Target::File;
      break;
    }
    case 2: {
      if (target == nullptr) return ZipResult::BadArgument;
      // The archive is written under a temporary name and replaces the file of the given name only
      // once it is complete: a failed write never costs the caller an older archive of that name.
      w->targetName_ = static_cast<const char*>(target);
      OsHandle handle = CreateTemporaryFile(w->targetName_, &w->tempName_);
      if (handle == kNoFile) return ZipResult::CannotOpen;
      w->output_ = OsFile(handle, true);
      w->repositionable_ = true;
      w->target_ = Target::File;
      break;
    }
    case 3: {
      if (size == 0) return ZipResult::BadMemorySize;
      if (target == nullptr) {
        if (!w->mapping_.Create(size)) return ZipResult::CannotMap;
        w->memory_ = w->mapping_.data();
      } else {
        w->memory_ = static_cast<uint8_t*>(const_cast<void*>(target));
      }
      w->memorySize_ = size;
      w->repositionable_ = true;
      w->target_ = Target::Memory;
      break;
    }
    default:
      return ZipResult::BadArgument;
  }
  if (password != nullptr && password[0] != '\0') {
    w->password_ = password;
    w->hasPassword_ = true;
  }
  w->workBuffer_.resize(kWorkBufferSize);
  writer = std::move(w);
  return ZipResult::Ok;
}

CZipWriter::~CZipWriter() = default;

size_t CZipWriter::WriteOutput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  // Every term stays far below 2^63, so the sum cannot wrap.
  if (!rewriting_ && baseOffset_ + bytesWritten_ + size > kMaxArchiveBytes) {
    // Past 4 GiB the 32-bit offsets and sizes would wrap and describe another archive.
    SetSticky(ZipResult::WriteFailed);
    return 0;
  }
  const uint8_t* out = bytes;
  if (encrypting_) {
    if (scratch_.size() < size) scratch_.resize(2 * size);
    memcpy(scratch_.data(), bytes, size);
    cipher_.Encipher(scratch_.data(), size);
    out = scratch_.data();
  }
  size_t written = 0;
  switch (target_) {
    case Target::Memory:
      // The block keeps one byte spare: position + size must stay below its size.
      if (memoryPosition_ >= memorySize_ || size >= memorySize_ - memoryPosition_) {
        SetSticky(ZipResult::BadMemorySize);
        return 0;
      }
      memcpy(memory_ + memoryPosition_, out, size);
      memoryPosition_ += size;
      written = size;
      break;
    case Target::File:
      written = output_.Write(out, size);
      // A file system refuses a write that does not fit whole and takes the smaller ones after
      // it: going on would leave an archive that looks complete but lacks the entries that did
      // not fit. Whatever was written, the archive as a whole has failed.
      if (written != size) {
        SetSticky(ZipResult::WriteFailed);
        outputFailed_ = true;
      }
      break;
    case Target::None:
      SetSticky(ZipResult::NotInitialised);
      return 0;
  }
  if (!rewriting_) bytesWritten_ += written;
  return written;
}

bool CZipWriter::Reposition(uint64_t relativePosition) {
  if (!repositionable_) {
    SetSticky(ZipResult::SeekFailed);
    return false;
  }
  if (target_ == Target::Memory) {
    if (relativePosition >= memorySize_) {
      SetSticky(ZipResult::BadMemorySize);
      return false;
    }
    memoryPosition_ = relativePosition;
    return true;
  }
  return output_.Seek(baseOffset_ + relativePosition);
}

int64_t CZipWriter::ReadSource(uint8_t* buffer, size_t size) {
  EntrySource& s = source_;
  int64_t got = 0;
  if (s.isFile) {
    got = s.file.Read(buffer, size);
    if (got < 0) {
      s.readFailed = true;
      return -1;
    }
  } else if (s.memory != nullptr) {
    uint64_t rest = s.memorySize - s.memoryPosition;
    got = static_cast<int64_t>(rest < size ? rest : size);
    memcpy(buffer, s.memory + s.memoryPosition, static_cast<size_t>(got));
    s.memoryPosition += static_cast<uint64_t>(got);
  }
  if (got > 0) {
    s.crc32 = static_cast<uint32_t>(crc32_z(s.crc32, buffer, static_cast<size_t>(got)));
    s.bytesRead += static_cast<uint64_t>(got);
  }
  return got;
}

ZipResult CZipWriter::OpenSource(const void* source, uint64_t length, SourceKind kind, CentralRecord& record) {
  source_ = EntrySource{};
  source_.crc32 = static_cast<uint32_t>(crc32_z(0, nullptr, 0));
  switch (kind) {
    case SourceKind::FileName: {
      if (source == nullptr) return ZipResult::BadArgument;
      OsHandle handle = ActiveFileCalls().openForRead(static_cast<const char*>(source));
      if (handle == kNoFile) return ZipResult::CannotOpen;
      source_.file = OsFile(handle, true);
      break;
    }
    case SourceKind::FileHandle: {
      OsHandle handle = reinterpret_cast<OsHandle>(source);
      if (source == nullptr || handle == kNoFile) return ZipResult::BadArgument;
      source_.file = OsFile(handle, false);
      break;
    }
    case SourceKind::Memory:
      if (source == nullptr || length == 0) return ZipResult::BadArgument;
      source_.memory = static_cast<const uint8_t*>(source);
      source_.memorySize = length;
      source_.size = static_cast<int64_t>(length);
      record.externalAttributes = kMemoryEntryAttributes;
      record.times = CurrentEntryTimes();
      break;
    case SourceKind::Folder:
      source_.size = 0;
      record.externalAttributes = kFolderEntryAttributes;
      record.times = CurrentEntryTimes();
      break;
    default:
      return ZipResult::BadArgument;
  }
  if (source_.file.IsOpen()) {
    source_.isFile = true;
    uint64_t position = 0;
    if (source_.file.Tell(position)) {
      FileInfo info;
      if (!source_.file.Info(info) || !source_.file.Seek(0)) return ZipResult::CannotOpen;
      record.externalAttributes = FileEntryAttributes(info.attributes);
      record.times = info.times;
      source_.size = static_cast<int64_t>(info.size);
    } else {
      record.externalAttributes = kMemoryEntryAttributes;
      record.times = CurrentEntryTimes();
      source_.size = length != 0 ? static_cast<int64_t>(length) : -1;
    }
  }
  // Readers take sizes as signed 32-bit values; this writer makes no ZIP64 records.
  if (source_.size > static_cast<int64_t>(kLargestEntrySize)) return ZipResult::BadArgument;
  return ZipResult::Ok;
}

namespace {

// The fields the local and the central header of an entry share. Sizes fit 32 bits: a larger
// source is refused before its data is written.
template <typename Header>
void FillEntryFields(Header* header, const CentralRecord& record) {
  header->versionNeeded = kVersionNeeded;
  header->method = record.method;
  header->dosTime = static_cast<uint16_t>(record.dosDateTime & 0xFFFF);
  header->dosDate = static_cast<uint16_t>(record.dosDateTime >> 16);
  header->crc32 = record.crc32;
  header->compressedSize = static_cast<uint32_t>(record.compressedSize);
  header->uncompressedSize = static_cast<uint32_t>(record.uncompressedSize);
  header->nameLength = static_cast<uint16_t>(record.name.size());
}

}  // namespace

ZipResult CZipWriter::WriteLocalHeader(const CentralRecord& record) {
  LocalHeader header{};
  header.signature = kLocalHeaderSignature;
  FillEntryFields(&header, record);
  header.flags = record.localFlags;
  header.extraLength = sizeof(LocalExtendedTime);
  LocalExtendedTime extra{};
  extra.headerId = kExtendedTimeId;
  extra.dataSize = sizeof(LocalExtendedTime) - 4;
  extra.flags = 7;
  extra.modifyTime = static_cast<uint32_t>(record.times.modifyUnix);
  extra.accessTime = static_cast<uint32_t>(record.times.accessUnix);
  extra.createTime = static_cast<uint32_t>(record.times.createUnix);
  bool ok = WriteAll(&header, sizeof(header)) && WriteAll(record.name.data(), record.name.size()) &&
            WriteAll(&extra, sizeof(extra));
  if (stickyError_ != ZipResult::Ok) return stickyError_;
  return ok ? ZipResult::Ok : ZipResult::WriteFailed;
}

ZipResult CZipWriter::WriteEntryData(CentralRecord& record, bool isFolder) {
  if (isFolder) return ZipResult::Ok;
  if (record.method == kMethodDeflated) {
    if (deflater_ == nullptr) deflater_ = Deflater::Create();
    if (deflater_ == nullptr) return ZipResult::WriteFailed;
    EntryDeflateIo io(*this);
    uint64_t compressed = 0;
    bool ok = deflater_->Compress(io, compressed);
    record.centralFlags |= Deflater::kZipLevelFlags;
    if (stickyError_ != ZipResult::Ok) return stickyError_;
    return ok ? ZipResult::Ok : ZipResult::WriteFailed;
  }
  for (;;) {
    int64_t got = ReadSource(workBuffer_.data(), workBuffer_.size());
    if (got <= 0) break;
    if (WriteOutput(workBuffer_.data(), static_cast<size_t>(got)) != static_cast<size_t>(got)) {
      if (stickyError_ != ZipResult::Ok) return stickyError_;
      return ZipResult::WriteFailed;
    }
  }
  return ZipResult::Ok;
}

ZipResult CZipWriter::CompleteEntry(CentralRecord& record, bool enciphered, uint64_t announcedCompressedSize) {
  if (!enciphered && repositionable_) {
    // Flag bit 3 promised a data descriptor; the rewritten header makes it unnecessary.
    record.centralFlags = static_cast<uint16_t>(record.centralFlags & ~kFlagDataDescriptor);
    record.localFlags = record.centralFlags;
    uint64_t end = bytesWritten_;
    rewriting_ = true;
    ZipResult result = ZipResult::Ok;
    if (!Reposition(record.localHeaderOffset - baseOffset_)) {
      result = ZipResult::SeekFailed;
    } else {
      result = WriteLocalHeader(record);
      if (!Reposition(end) && result == ZipResult::Ok) result = ZipResult::SeekFailed;
    }
    rewriting_ = false;
    // Once the end of the archive cannot be reached again nothing more can be appended safely.
    if (result == ZipResult::SeekFailed) SetSticky(result);
    return result;
  }
  if (record.method == kMethodStored && record.compressedSize != announcedCompressedSize) {
    return ZipResult::HeaderMismatch;
  }
  DataDescriptor descriptor{};
  descriptor.signature = kDataDescriptorSignature;
  descriptor.crc32 = record.crc32;
  descriptor.compressedSize = static_cast<uint32_t>(record.compressedSize);
  descriptor.uncompressedSize = static_cast<uint32_t>(record.uncompressedSize);
  if (!WriteAll(&descriptor, sizeof(descriptor))) {
    return stickyError_ != ZipResult::Ok ? stickyError_ : ZipResult::WriteFailed;
  }
  record.centralFlags = record.localFlags;
  return ZipResult::Ok;
}

ZipResult CZipWriter::AddEntry(const char* name, const void* source, uint64_t length, SourceKind kind) {
  ZipResult result = WriteEntry(name, source, length, kind);
  source_ = EntrySource{};  // closes a source file the writer opened, on every path
  return result;
}

ZipResult CZipWriter::WriteEntry(const char* name, const void* source, uint64_t length, SourceKind kind) {
  if (stickyError_ != ZipResult::Ok) return ZipResult::WriterFailed;
  if (finished_) return ZipResult::WriterClosed;
  if (directory_.size() >= kMaxEntries) return ZipResult::BadArgument;
  bool isFolder = kind == SourceKind::Folder;
  bool enciphered = hasPassword_ && !isFolder;
  uint64_t cipherHeaderSize = enciphered ? ZipCipher::kHeaderSize : 0;

  CentralRecord record;
  if (name == nullptr) return ZipResult::BadArgument;
  record.name = NormaliseEntryName(name, isFolder);
  if (record.name.empty() || !ReadsBack(record.name)) return ZipResult::BadArgument;
  record.method = isFolder || IsStoredByName(record.name) ? kMethodStored : kMethodDeflated;

  ZipResult result = OpenSource(source, length, kind, record);
  if (result != ZipResult::Ok) return result;

  record.dosDateTime = record.times.dosDateTime;
  record.centralFlags = record.localFlags = enciphered ? kFlagDataDescriptor | kFlagEnciphered : kFlagDataDescriptor;
  record.compressedSize = record.method == kMethodStored && source_.size >= 0
                              ? static_cast<uint64_t>(source_.size) + cipherHeaderSize
                              : 0;
  uint64_t announcedCompressedSize = record.compressedSize;
  record.uncompressedSize = source_.size >= 0 ? static_cast<uint64_t>(source_.size) : 0xFFFFFFFFu;
  record.localHeaderOffset = baseOffset_ + bytesWritten_;

  result = WriteLocalHeader(record);
  if (result != ZipResult::Ok) return result;
  uint64_t dataStart = bytesWritten_;

  if (enciphered) {
    cipher_.Start(password_.c_str());
    uint8_t header[ZipCipher::kHeaderSize];
    // Every enciphered entry announces a data descriptor, so its check byte is the time's high byte.
    if (!MakeCipherHeader(header, static_cast<uint8_t>(record.dosDateTime >> 8))) return ZipResult::WriteFailed;
    encrypting_ = true;
    bool ok = WriteAll(header, sizeof(header));
    if (!ok) {
      encrypting_ = false;
      return stickyError_ != ZipResult::Ok ? stickyError_ : ZipResult::WriteFailed;
    }
  }
  result = WriteEntryData(record, isFolder);
  encrypting_ = false;
  bool readFailed = source_.readFailed;
  uint32_t crc = source_.crc32;
  uint64_t bytesRead = source_.bytesRead;
  source_ = EntrySource{};
  if (result != ZipResult::Ok) return result;
  // A source that failed part way would leave an entry that looks complete but holds a truncated
  // copy; leaving it out of the directory keeps the archive honest.
  if (readFailed) return ZipResult::WriteFailed;
  // A source that grew while it was read, or data that deflate could only expand, can end up too
  // large for the headers' sizes after all.
  if (bytesRead > kLargestEntrySize || bytesWritten_ - dataStart > kLargestEntrySize)
    return ZipResult::BadArgument;

  record.crc32 = crc;
  record.compressedSize = bytesWritten_ - dataStart;
  record.uncompressedSize = bytesRead;
  result = CompleteEntry(record, enciphered, announcedCompressedSize);
  if (result != ZipResult::Ok) return result;
  if (stickyError_ != ZipResult::Ok) return stickyError_;
  directory_.push_back(std::move(record));
  return ZipResult::Ok;
}

ZipResult CZipWriter::WriteCentralDirectory() {
  uint64_t directoryStart = bytesWritten_;
  bool ok = true;
  for (const CentralRecord& record : directory_) {
    CentralHeader header{};
    header.signature = kCentralHeaderSignature;
    header.versionMadeBy = kVersionMadeBy;
    FillEntryFields(&header, record);
    header.flags = record.centralFlags;
    header.extraLength = sizeof(CentralExtendedTime);
    header.externalAttributes = record.externalAttributes;
    header.localHeaderOffset = static_cast<uint32_t>(record.localHeaderOffset);
    CentralExtendedTime extra{};
    extra.headerId = kExtendedTimeId;
    extra.dataSize = sizeof(CentralExtendedTime) - 4;
    extra.flags = 7;
    extra.modifyTime = static_cast<uint32_t>(record.times.modifyUnix);
    ok = WriteAll(&header, sizeof(header)) && WriteAll(record.name.data(), record.name.size()) &&
         WriteAll(&extra, sizeof(extra));
    if (!ok) break;
  }
  directory_.clear();
  if (!ok) return ZipResult::WriteFailed;
  EndRecord end{};
  end.signature = kEndRecordSignature;
  end.diskEntries = end.totalEntries = static_cast<uint16_t>(entryCount_);
  end.directorySize = static_cast<uint32_t>(bytesWritten_ - directoryStart);
  end.directoryOffset = static_cast<uint32_t>(baseOffset_ + directoryStart);
  return WriteAll(&end, sizeof(end)) ? ZipResult::Ok : ZipResult::WriteFailed;
}

ZipResult CZipWriter::Close() {
  ZipResult result = ZipResult::Ok;
  if (!finished_) {
    entryCount_ = directory_.size();
    // An archive that lacks what did not fit is no archive a directory could make whole.
    result = outputFailed_ ? ZipResult::WriteFailed : WriteCentralDirectory();
  }
  finished_ = true;
  mapping_.Release();
  memory_ = nullptr;
  target_ = Target::None;
  if (!tempName_.empty()) {
    // Flushing and closing can be the first report of a failed write (full disk, network file).
    if (result == ZipResult::Ok && !output_.Flush()) result = ZipResult::WriteFailed;
    if (!output_.Close() && result == ZipResult::Ok) result = ZipResult::WriteFailed;
    if (result == ZipResult::Ok && !ActiveFileCalls().replace(tempName_.c_str(), targetName_.c_str())) {
      result = ZipResult::WriteFailed;
    }
    if (result != ZipResult::Ok) (void)ActiveFileCalls().remove(tempName_.c_str());
    tempName_.clear();
  }
  (void)output_.Close();  // a caller's handle is only forgotten
  deflater_.reset();
  return result;
}

}  // namespace zip
