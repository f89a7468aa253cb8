// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// CZipReader, the object behind a reader handle: the source, its central directory, the entry open
// for extraction, the last entry information given out and the base folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zip/zip_directory.h"
#include "zip/zip_entry_stream.h"
#include "zip/zip_reader.h"
#include "zip/zip_source.h"

namespace zip {

/// Target kinds of CZipReader::Extract.
enum class ExtractTarget : int32_t { FileHandle = 1, Path = 2, Memory = 3 };

class CZipReader {
 public:
  /// Opens an archive from source (see ZipSourceKind). Null with the reason in *result.
  static std::unique_ptr<CZipReader> Open(const void* source, uint32_t size, int32_t kind, const char* password,
                                          ZipResult* result);

  CZipReader(const CZipReader&) = delete;
  CZipReader& operator=(const CZipReader&) = delete;

  /// The work of ZipReaderGetEntry; info must not be null.
  ZipResult GetEntry(int32_t index, ZipEntryInfo* info);
  /// The work of ZipReaderFindEntry.
  ZipResult FindEntry(const char* name, int32_t ignoreCase, int32_t* index, ZipEntryInfo* info);
  /// The work of ZipReaderSetBaseDir.
  ZipResult SetBaseDir(const char* directory);
  /// Extracts entry index to target: a buffer of size bytes (Memory) or a path (Path); the handle
  /// target has no public operation and gives BadArgument like any other kind.
  ZipResult Extract(int32_t index, void* target, uint32_t size, int32_t targetKind);

 private:
  /// What the local header of the current entry says, once it agrees with the directory.
  struct LocalFacts {
    const uint8_t* extra;  ///< the local extra field, in localBytes_ until the next check
    uint16_t extraLength;
    uint64_t dataPosition;
  };

  CZipReader() = default;
  ZipResult CheckLocalHeader(LocalFacts* facts);
  bool OpenCurrentEntry();
  void CloseEntry();
  ZipResult ExtractToMemory(int32_t index, uint8_t* buffer, uint32_t size);
  ZipResult ExtractToFile(int32_t index, const char* target);
  ZipResult WriteEntryFile(const ZipEntryInfo& info, const std::string& fullPath);
  bool MakeFolders(const std::string& base, const std::string& folderPath);
  void EnsureFileFolders(const std::string& base, const std::string& folderPart);

  std::unique_ptr<ZipSource> source_;
  ZipDirectory directory_;
  int32_t openIndex_ = -1;
  std::unique_ptr<ZipEntryStream> stream_;  ///< kept from entry to entry
  bool entryOpen_ = false;  ///< stream_ holds an entry: openIndex_, or the one a file extraction reads
  ZipEntryInfo lastInfo_{};
  int32_t lastInfoIndex_ = -1;
  bool hasPassword_ = false;
  std::string password_;
  std::unique_ptr<uint8_t[]> extractBuffer_;
  std::vector<uint8_t> localBytes_;  ///< name and extra field of the last local header checked
  std::string baseDirectory_;
  std::string lastFolders_;  ///< base + folders of the last file extracted, known to exist
};

}  // namespace zip
