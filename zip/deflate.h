// Deflate compressor of the zip writer: turns a byte source into a raw RFC 1951 stream (no zlib or
// gzip wrapper) at one fixed level. It pulls input and pushes output through DeflateIo and never sees
// files or archive headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zip {

/// The compressor's two callbacks, bound by its user (the zip writer) to the entry being written.
class DeflateIo {
 public:
  /// Fills buffer with up to size source bytes; returns the count, 0 at the end of the source
  /// and -1 when the source failed (compression then treats the source as ended).
  virtual int64_t ReadInput(uint8_t* buffer, size_t size) = 0;
  /// Takes size compressed bytes; returns false when they could not all be written, which fails
  /// the stream. The bytes may point into the compressor's window: copy, never modify them.
  virtual bool WriteOutput(const uint8_t* bytes, size_t size) = 0;

 protected:
  ~DeflateIo() = default;
};

struct DeflateState;

/// One compressor: owns its working state (about 400 KB) and reuses it for every stream.
class Deflater {
 public:
  /// General-purpose flag bits that a deflated zip entry carries for this compressor's level.
  static constexpr uint16_t kZipLevelFlags = 0x2;
  /// Size of the output buffer the compressor fills before each WriteOutput call.
  static constexpr size_t kOutputBufferSize = 16384;

  /// Allocates the state; null when memory is short.
  static std::unique_ptr<Deflater> Create();
  ~Deflater();
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  /// Compresses everything io delivers into one complete raw deflate stream. Returns true when the
  /// stream is sound; false when an output write failed or an internal check failed (see Failure).
  /// compressedBytes receives the number of bytes handed to WriteOutput either way.
  [[nodiscard]] bool Compress(DeflateIo& io, uint64_t& compressedBytes);

  /// The first internal failure of the last stream ("write failed" for a refused output write),
  /// or null while it is sound.
  const char* Failure() const;

 private:
  explicit Deflater(DeflateState* state) : state_(state) {}
  DeflateState* state_;
};

}  // namespace zip
