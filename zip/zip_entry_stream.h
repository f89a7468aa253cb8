// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// The read state of one entry being extracted: its data read in 16 KB pieces, deciphered, inflated
// and checked against the sizes and CRC-32 of the central directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include <zlib.h>

#include "zip/zip_cipher.h"
#include "zip/zip_source.h"

namespace zip {

/// Where an entry's data lies and what it must turn out to be.
struct EntryData {
  uint64_t position;           ///< source position of the first data byte (after the local header)
  uint32_t compressedSize;     ///< bytes of data in the archive, cipher header included
  uint32_t uncompressedSize;   ///< bytes the entry delivers
  uint32_t crc32;              ///< CRC-32 of the delivered bytes
  uint16_t method;             ///< kMethodStored or kMethodDeflated
  bool enciphered;             ///< the data starts with a 12-byte cipher header
  uint8_t checkByte;           ///< what the last cipher-header byte must decipher to
};

enum class StreamStatus {
  Ok,
  BadPassword,  ///< the cipher header's check byte does not match
  Failed,       ///< unreadable, malformed, early or long data, or a CRC-32 mismatch
};

/// One entry's data at a time as a stream of bytes. Once failed, it stays failed until the next Start.
class ZipEntryStream {
 public:
  static constexpr size_t kInputSize = 16384;

  ZipEntryStream() = default;
  ~ZipEntryStream();
  ZipEntryStream(const ZipEntryStream&) = delete;
  ZipEntryStream& operator=(const ZipEntryStream&) = delete;

  /// Prepares to read data from source (borrowed until the next Start) with password (null for
  /// none), forgetting any entry read before. False, leaving the stream failed, when the data
  /// cannot be what the directory says: an unknown method, a stored entry whose two sizes
  /// disagree, data that runs past the source, or no memory for inflate.
  [[nodiscard]] bool Start(ZipSource& source, const EntryData& data, const char* password);

  /// Delivers up to size bytes into destination. *delivered counts them; *complete is set once
  /// every byte has been delivered and checked: the deflate stream ended exactly there, no archive
  /// data is left over and the CRC-32 matched. A failure may follow bytes already delivered.
  [[nodiscard]] StreamStatus Read(uint8_t* destination, size_t size, size_t* delivered, bool* complete);

 private:
  StreamStatus FillInput();
  StreamStatus Inflate(uint8_t* destination, size_t size, size_t* produced);
  StreamStatus Finish();
  StreamStatus Fail(StreamStatus status) {
    status_ = status;
    return status;
  }

  ZipSource* source_ = nullptr;
  EntryData data_{};
  ZipCipher cipher_;
  std::unique_ptr<uint8_t[]> input_;
  size_t inputStart_ = 0;
  size_t inputAvailable_ = 0;
  uint64_t nextPosition_ = 0;
  uint32_t compressedLeft_ = 0;
  uint32_t uncompressedLeft_ = 0;
  uint32_t headerLeft_ = 0;
  uint32_t crc_ = 0;
  z_stream inflate_{};
  bool inflateStarted_ = false;
  bool streamEnded_ = false;
  bool complete_ = false;
  StreamStatus status_ = StreamStatus::Ok;
};

}  // namespace zip
