// Writing and checking configuration archives through the project's zip writer and reader.
#include "maintenance/config_archive.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "framework/files/folder_reader.h"
#include "zip/zip_file.h"
#include "zip/zip_reader.h"
#include "zip/zip_writer.h"

namespace {

constexpr uint32_t kCheckBufferSize = 64 * 1024;

// Test-reads entry `index` to its end, which checks its data and CRC-32.
bool ReadsWhole(zip::ZipHandle* archive, int32_t index, uint8_t* buffer) {
  for (;;) {
    switch (zip::ZipReaderExtractToMemory(archive, index, buffer, kCheckBufferSize)) {
      case zip::ZipResult::MoreData:
        continue;
      case zip::ZipResult::Ok:
        return true;
      default:
        return false;
    }
  }
}

ArchiveVerdict JudgeOpenArchive(zip::ZipHandle* archive, const char* productName) {
  const zip::ZipResult found = zip::ZipReaderFindEntry(archive, productName, 0, nullptr, nullptr);
  if (found == zip::ZipResult::NotFound) return ArchiveVerdict::WrongProduct;
  if (found != zip::ZipResult::Ok) return ArchiveVerdict::Damaged;
  zip::ZipEntryInfo summary;
  if (zip::ZipReaderGetEntry(archive, -1, &summary) != zip::ZipResult::Ok) return ArchiveVerdict::Damaged;
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kCheckBufferSize]);
  if (buffer == nullptr) return ArchiveVerdict::Damaged;
  for (int32_t index = 0; index < summary.index; ++index) {
    zip::ZipEntryInfo info;
    if (zip::ZipReaderGetEntry(archive, index, &info) != zip::ZipResult::Ok) return ArchiveVerdict::Damaged;
    if (!ReadsWhole(archive, index, buffer.get())) return ArchiveVerdict::Damaged;
  }
  return ArchiveVerdict::Accepted;
}

// Adds every configuration file below the data folder; returns how many were left out.
int32_t AddConfigFiles(zip::ZipHandle* archive, const ConfigArchiveSource& source) {
  char patterns[kFileListPatternsSize];
  BuildConfigFilePatterns(source.dataFilePatterns, patterns);
  CFileList list(source.dataFolder, "%s", patterns);
  int32_t skipped = 0;
  for (int32_t i = 0; i < list.files.count; ++i) {
    const char* path = list.files.GetAt(i)->text;
    const char* name = nullptr;
    // A file held open by another writer, or one that fails part way, is left out whole.
    if (!ConfigEntryName(source.dataFolder, path, &name) ||
        zip::ZipWriterAddFile(archive, name, path) != zip::ZipResult::Ok) {
      ++skipped;
    }
  }
  return skipped;
}

}  // namespace

uint32_t BuildProductEntry(const char* keepPatterns, const int32_t version[3],
                           char (&entry)[kProductEntryCapacity]) {
  const char* keep = keepPatterns != nullptr ? keepPatterns : "";
  const size_t keepLength = strnlen(keep, 259);
  std::memcpy(entry, keep, keepLength);
  entry[keepLength] = '\0';
  // The capacity's arithmetic leaves room for the longest version text.
  const int versionLength = std::snprintf(entry + keepLength + 1, kProductEntryCapacity - keepLength - 1,
                                          "%d.%d.%d", version[0], version[1], version[2]);
  return static_cast<uint32_t>(keepLength + 1 + static_cast<size_t>(versionLength));
}

void BuildConfigFilePatterns(const char* dataFilePatterns, char (&patterns)[kFileListPatternsSize]) {
  if (dataFilePatterns != nullptr && dataFilePatterns[0] != '\0') {
    std::snprintf(patterns, sizeof patterns, "*.%s;%s", kDataFileType, dataFilePatterns);
  } else {
    std::snprintf(patterns, sizeof patterns, "*.%s", kDataFileType);
  }
}

bool ConfigEntryName(const char* dataFolder, const char* path, const char** name) {
  const size_t folderLength = std::strlen(dataFolder);
  if (std::strncmp(path, dataFolder, folderLength) != 0 || path[folderLength] != kPathSeparator ||
      path[folderLength + 1] == '\0') {
    return false;
  }
  *name = path + folderLength + 1;
  return true;
}

TransferResult WriteConfigArchive(const ConfigArchiveSource& source, const char* archivePath,
                                  bool withFiles) {
  zip::ZipHandle* archive = zip::ZipWriterOpen(archivePath, nullptr);
  if (archive == nullptr) return TransferResult::ArchiveError;
  char entry[kProductEntryCapacity];
  const uint32_t entrySize = BuildProductEntry(source.keepPatterns, source.version, entry);
  if (zip::ZipWriterAddMemory(archive, source.productName, entry, entrySize) != zip::ZipResult::Ok) {
    // Without its product entry no start-up would apply the archive, and Restore refuses it.
    if (zip::ZipWriterClose(archive) == zip::ZipResult::Ok) (void)zip::ActiveFileCalls().remove(archivePath);
    return TransferResult::ArchiveError;
  }
  const int32_t skipped = withFiles ? AddConfigFiles(archive, source) : 0;
  // A failed close (full disk) leaves no new file: the writer keeps its work under a temporary
  // name until the archive is complete.
  if (zip::ZipWriterClose(archive) != zip::ZipResult::Ok) return TransferResult::ArchiveError;
  return skipped != 0 ? TransferResult::FilesSkipped : TransferResult::Done;
}

ArchiveVerdict CheckConfigArchive(const char* archivePath, const char* productName) {
  zip::ZipHandle* archive = zip::ZipReaderOpen(archivePath, nullptr);
  if (archive == nullptr) return ArchiveVerdict::NotAnArchive;
  const ArchiveVerdict verdict = JudgeOpenArchive(archive, productName);
  (void)zip::ZipReaderClose(archive);
  return verdict;
}
