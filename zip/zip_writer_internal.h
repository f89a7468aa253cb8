// Internal to the zip library: callers must not include this header (use zip/zip_writer.h).
// CZipWriter, the object behind a writer handle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zip/deflate.h"
#include "zip/zip_cipher.h"
#include "zip/zip_file.h"
#include "zip/zip_mapping.h"
#include "zip/zip_result.h"
#include "zip/zip_time.h"

namespace zip {

/// What an entry is made from. File handles and folders have no public operation.
enum class SourceKind { FileHandle = 1, FileName = 2, Memory = 3, Folder = 4 };

/// External attributes of entries without a file behind them.
constexpr uint32_t kMemoryEntryAttributes = 0x80000000;  // regular file, no permissions
constexpr uint32_t kFolderEntryAttributes = 0x41C00010;  // directory, owner rwx, directory bit
constexpr uint16_t kVersionMadeBy = 0x0B17;              // host 11, format version 2.3
constexpr uint16_t kVersionNeeded = 20;

/// One entry of the central directory, kept until the writer closes.
struct CentralRecord {
  uint16_t centralFlags = 0;
  uint16_t localFlags = 0;
  uint16_t method = 0;
  uint32_t dosDateTime = 0;
  uint32_t crc32 = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint32_t externalAttributes = 0;
  uint64_t localHeaderOffset = 0;  // absolute in the output
  EntryTimes times;
  std::string name;
};

class CZipWriter {
 public:
  /// Opens the output (see ZipWriterOpenEx); on failure returns the reason and leaves writer null.
  static ZipResult Open(const void* target, uint32_t size, int32_t mode, const char* password,
                        std::unique_ptr<CZipWriter>& writer);
  ~CZipWriter();
  CZipWriter(const CZipWriter&) = delete;
  CZipWriter& operator=(const CZipWriter&) = delete;

  /// Adds one entry. source is a file name, a file handle (OsHandle value) or a memory block by
  /// kind; length is the memory block's size, or for a handle that cannot be repositioned the
  /// caller's size (0 for unknown).
  ZipResult AddEntry(const char* name, const void* source, uint64_t length, SourceKind kind);

  /// Writes the directory unless written, then releases the output.
  ZipResult Close();

  // Used by the compressor's callbacks.
  int64_t ReadSource(uint8_t* buffer, size_t size);
  size_t WriteOutput(const uint8_t* bytes, size_t size);

 private:
  enum class Target { None, File, Memory };

  struct EntrySource {
    OsFile file;  // owned when the writer opened it by name
    bool isFile = false;
    const uint8_t* memory = nullptr;
    uint64_t memorySize = 0;
    uint64_t memoryPosition = 0;
    int64_t size = -1;  // -1 when unknown
    uint64_t bytesRead = 0;
    uint32_t crc32 = 0;
    bool readFailed = false;
  };

  CZipWriter() = default;
  ZipResult WriteEntry(const char* name, const void* source, uint64_t length, SourceKind kind);
  ZipResult OpenSource(const void* source, uint64_t length, SourceKind kind, CentralRecord& record);
  ZipResult WriteLocalHeader(const CentralRecord& record);
  ZipResult WriteEntryData(CentralRecord& record, bool isFolder);
  ZipResult CompleteEntry(CentralRecord& record, bool enciphered, uint64_t announcedCompressedSize);
  ZipResult WriteCentralDirectory();
  bool WriteAll(const void* bytes, size_t size) { return WriteOutput(static_cast<const uint8_t*>(bytes), size) == size; }
  bool Reposition(uint64_t relativePosition);
  void SetSticky(ZipResult error) {
    if (stickyError_ == ZipResult::Ok) stickyError_ = error;
  }

  std::string password_;
  bool hasPassword_ = false;

  Target target_ = Target::None;
  OsFile output_;
  std::string targetName_;  // file-name target: the archive's name, and the name it is written under
  std::string tempName_;
  AnonymousMapping mapping_;
  uint64_t baseOffset_ = 0;
  ZipResult stickyError_ = ZipResult::Ok;
  bool outputFailed_ = false;  // a write to the output file fell short: the archive cannot be closed whole
  uint64_t bytesWritten_ = 0;  // archive bytes from the base offset; header rewrites do not count
  bool repositionable_ = false;
  bool rewriting_ = false;
  uint8_t* memory_ = nullptr;
  uint64_t memoryPosition_ = 0;
  uint64_t memorySize_ = 0;

  bool finished_ = false;
  bool encrypting_ = false;
  ZipCipher cipher_;
  std::vector<uint8_t> scratch_;

  std::vector<CentralRecord> directory_;
  size_t entryCount_ = 0;
  std::unique_ptr<Deflater> deflater_;
  EntrySource source_;
  std::vector<uint8_t> workBuffer_;
};

}  // namespace zip
