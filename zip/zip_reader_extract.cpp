// CZipReader: extraction into memory and into files below the base folder.
//
// Entry names reach here sanitised, but the target of a file extraction is the caller's; a relative
// target is accepted only in the sanitised form, so base + target always lies below the base
// folder. An absolute target is the caller's explicit choice and used as given.
#include "zip/zip_reader_object.h"

#include "zip/zip_entry_facts.h"
#include "zip/zip_entry_name.h"
#include "zip/zip_extract_files.h"
#include "zip/zip_temporary_name.h"

namespace zip {
namespace {

constexpr size_t kExtractBufferSize = 16384;
constexpr uint32_t kDirectoryAttribute = 0x10;
// Longest path handed to the file system, as Windows' MAX_PATH without the terminator.
constexpr size_t kLongestPath = 259;

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != ':') path.pop_back();
  return path;
}

// A file goes straight under its own name when nothing is there. Otherwise the file there stays
// untouched until the new one is complete, which meanwhile is written under a temporary name. Every
// name is created exclusively, so a file of the user's that bears a temporary name is never opened,
// let alone removed: the next name is tried.
ZipResult CreateEntryFile(ExtractedFile& file, const std::string& fullPath, uint32_t attributes) {
  CreateOutcome outcome = file.Create(fullPath, attributes);
  if (outcome == CreateOutcome::Created) return ZipResult::Ok;
  if (outcome == CreateOutcome::Failed) return ZipResult::CannotOpen;
  if (IsReadOnlyFile(fullPath)) return ZipResult::CannotOpen;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string candidate = TemporaryName(fullPath, attempt);
    if (candidate.size() > kLongestPath) break;
    outcome = file.Create(candidate, attributes);
    if (outcome != CreateOutcome::Exists) break;
  }
  return outcome == CreateOutcome::Created ? ZipResult::Ok : ZipResult::CannotOpen;
}

}  // namespace

void CZipReader::CloseEntry() {
  entryOpen_ = false;
  openIndex_ = -1;
}

bool CZipReader::OpenCurrentEntry() {
  CloseEntry();
  const CentralHeader central = directory_.Current();
  LocalFacts local{};
  if (CheckLocalHeader(&local) != ZipResult::Ok) return false;
  EntryData data{};
  data.position = local.dataPosition;
  data.compressedSize = central.compressedSize;
  data.uncompressedSize = central.uncompressedSize;
  data.crc32 = central.crc32;
  data.method = central.method;
  data.enciphered = (central.flags & kFlagEnciphered) != 0;
  // With a data descriptor the CRC-32 is not known when the cipher header is made, so writers check
  // against the DOS time instead.
  data.checkByte = (central.flags & kFlagDataDescriptor) != 0 ? static_cast<uint8_t>(central.dosTime >> 8)
                                                              : static_cast<uint8_t>(central.crc32 >> 24);
  // One stream serves every entry in turn: its buffers and inflate state are set up once.
  if (!stream_) stream_ = std::make_unique<ZipEntryStream>();
  entryOpen_ = stream_->Start(*source_, data, hasPassword_ ? password_.c_str() : nullptr);
  return entryOpen_;
}

ZipResult CZipReader::Extract(int32_t index, void* target, uint32_t size, int32_t targetKind) {
  switch (static_cast<ExtractTarget>(targetKind)) {
    case ExtractTarget::Memory: return ExtractToMemory(index, static_cast<uint8_t*>(target), size);
    case ExtractTarget::Path: return ExtractToFile(index, static_cast<const char*>(target));
    default: return ZipResult::BadArgument;
  }
}

ZipResult CZipReader::ExtractToMemory(int32_t index, uint8_t* buffer, uint32_t size) {
  if (buffer == nullptr && size != 0) return ZipResult::BadArgument;
  if (index != openIndex_ || !entryOpen_) {
    CloseEntry();
    if (index < 0 || index >= directory_.EntryCount()) return ZipResult::BadArgument;
    if (!directory_.GoTo(index) || !OpenCurrentEntry()) return ZipResult::FlateFailed;
    openIndex_ = index;
  }
  size_t delivered = 0;
  bool complete = false;
  StreamStatus status = stream_->Read(buffer, size, &delivered, &complete);
  if (delivered == 0 || status != StreamStatus::Ok) CloseEntry();
  if (status == StreamStatus::BadPassword) return ZipResult::BadPassword;
  if (status != StreamStatus::Ok) return ZipResult::FlateFailed;
  if (complete) return ZipResult::Ok;
  return delivered == 0 ? ZipResult::FlateFailed : ZipResult::MoreData;
}

bool CZipReader::MakeFolders(const std::string& base, const std::string& folderPath) {
  // Outermost first; a prefix that is only a root or a drive ("/", "C:") already exists.
  for (size_t at = 0; at < folderPath.size(); ++at) {
    if (!IsSeparator(folderPath[at]) || at == 0 || folderPath[at - 1] == ':') continue;
    if (!MakeFolder(base + folderPath.substr(0, at))) return false;
  }
  std::string whole = WithoutTrailingSeparator(folderPath);
  if (whole.empty() || IsSeparator(whole.back()) || whole.back() == ':') return true;
  return MakeFolder(base + whole);
}

// Archives list their files folder by folder, so a file's folders are mostly those of the file
// before: they are made (or found) once, not asked for again with every file.
void CZipReader::EnsureFileFolders(const std::string& base, const std::string& folderPart) {
  std::string folders = base + folderPart;
  if (folders == lastFolders_) return;
  lastFolders_.clear();
  if (!base.empty() && !MakeFolder(WithoutTrailingSeparator(base))) return;
  if (!folderPart.empty() && !MakeFolders(base, folderPart)) return;
  lastFolders_ = folders;
}

ZipResult CZipReader::ExtractToFile(int32_t index, const char* target) {
  CloseEntry();
  if (target == nullptr || target[0] == '\0') return ZipResult::BadArgument;
  if (index < 0 || index >= directory_.EntryCount()) return ZipResult::BadArgument;
  ZipEntryInfo info{};
  ZipResult got = GetEntry(index, &info);
  if (got != ZipResult::Ok) return got;

  bool absolute = IsAbsolutePath(target);
  if (!absolute && !IsSafeRelativePath(target)) return ZipResult::BadArgument;
  std::string base = absolute ? std::string() : baseDirectory_;
  std::string fullPath = base + target;
  // Room for the first temporary name, so that replacing a file works wherever creating one does.
  if (TemporaryName(fullPath, 0).size() > kLongestPath) return ZipResult::BadArgument;

  std::string targetText = target;
  if ((info.attributes & kDirectoryAttribute) != 0) {
    if (!base.empty()) (void)MakeFolder(WithoutTrailingSeparator(base));
    return MakeFolders(base, targetText) ? ZipResult::Ok : ZipResult::CannotOpen;
  }
  size_t split = targetText.find_last_of("/\\");
  std::string folderPart = split == std::string::npos ? std::string() : targetText.substr(0, split + 1);
  if (split != std::string::npos && split + 1 == targetText.size()) return ZipResult::BadArgument;
  // A folder that cannot be made shows up as the file's creation failing.
  EnsureFileFolders(base, folderPart);
  ZipResult result = WriteEntryFile(info, fullPath);
  CloseEntry();
  return result;
}

ZipResult CZipReader::WriteEntryFile(const ZipEntryInfo& info, const std::string& fullPath) {
  ExtractedFile file;
  ZipResult created = CreateEntryFile(file, fullPath, info.attributes);
  if (created != ZipResult::Ok) return created;
  if (!directory_.GoTo(info.index) || !OpenCurrentEntry()) return ZipResult::FlateFailed;
  if (!extractBuffer_) extractBuffer_.reset(new uint8_t[kExtractBufferSize]);
  for (;;) {
    size_t delivered = 0;
    bool complete = false;
    StreamStatus status = stream_->Read(extractBuffer_.get(), kExtractBufferSize, &delivered, &complete);
    if (status == StreamStatus::BadPassword) return ZipResult::BadPassword;
    if (status != StreamStatus::Ok) return ZipResult::FlateFailed;
    if (!file.Write(extractBuffer_.get(), delivered)) return ZipResult::WriteFailed;
    if (complete) break;
    if (delivered == 0) return ZipResult::FlateFailed;
  }
  bool committed = file.Commit(fullPath, FromZipFileTime(info.createTime), FromZipFileTime(info.accessTime),
                               FromZipFileTime(info.modifyTime));
  return committed ? ZipResult::Ok : ZipResult::CannotOpen;
}

}  // namespace zip
