// Entry data: read, decipher, inflate, check.
//
// The directory's sizes are promises the data must keep. The output is cut at the uncompressed
// size, and once it is reached the deflate stream must end there (one more inflate into a one-byte
// scratch buffer shows whether it would run on), every compressed byte must have been used and the
// CRC-32 must match; only then is the entry complete. A stream that ends early, runs long or
// leaves compressed bytes over fails. Input is read in pieces of at most 16 KB, so no size from
// the archive decides an allocation.
#include "zip/zip_entry_stream.h"

#include <cstring>

#include "zip/zip_directory.h"

namespace zip {

ZipEntryStream::~ZipEntryStream() {
  if (inflateStarted_) inflateEnd(&inflate_);
}

bool ZipEntryStream::Start(ZipSource& source, const EntryData& data, const char* password) {
  source_ = &source;
  data_ = data;
  status_ = StreamStatus::Failed;  // until the checks below pass
  uint32_t headerSize = data.enciphered ? static_cast<uint32_t>(ZipCipher::kHeaderSize) : 0;
  if (data.compressedSize < headerSize) return false;
  if (data.method == kMethodStored) {
    if (data.compressedSize - headerSize != data.uncompressedSize) return false;
  } else if (data.method != kMethodDeflated) {
    return false;
  }
  uint64_t sourceSize = source.Size();
  if (data.position > sourceSize || data.compressedSize > sourceSize - data.position) return false;

  if (!input_) input_.reset(new (std::nothrow) uint8_t[kInputSize]);
  if (!input_) return false;
  if (data.method == kMethodDeflated) {
    // A stream used before keeps its inflate state and window; resetting it costs no allocation.
    if (inflateStarted_) {
      if (inflateReset(&inflate_) != Z_OK) return false;
    } else {
      memset(&inflate_, 0, sizeof inflate_);
      if (inflateInit2(&inflate_, -MAX_WBITS) != Z_OK) return false;
      inflateStarted_ = true;
    }
  }
  cipher_.Start(password);
  inputStart_ = 0;
  inputAvailable_ = 0;
  nextPosition_ = data.position;
  compressedLeft_ = data.compressedSize;
  uncompressedLeft_ = data.uncompressedSize;
  headerLeft_ = headerSize;
  crc_ = static_cast<uint32_t>(crc32(0, nullptr, 0));
  streamEnded_ = false;
  complete_ = false;
  status_ = StreamStatus::Ok;
  return true;
}

// Ensures: input is available unless the archive data is used up; the cipher header is consumed.
StreamStatus ZipEntryStream::FillInput() {
  for (;;) {
    if (inputAvailable_ == 0 && compressedLeft_ > 0) {
      size_t piece = compressedLeft_ < kInputSize ? compressedLeft_ : kInputSize;
      if (!source_->ReadAt(nextPosition_, input_.get(), piece)) return Fail(StreamStatus::Failed);
      if (data_.enciphered) cipher_.Decipher(input_.get(), piece);
      nextPosition_ += piece;
      compressedLeft_ -= static_cast<uint32_t>(piece);
      inputStart_ = 0;
      inputAvailable_ = piece;
    }
    if (headerLeft_ == 0 || inputAvailable_ == 0) return StreamStatus::Ok;
    size_t take = headerLeft_ < inputAvailable_ ? headerLeft_ : inputAvailable_;
    headerLeft_ -= static_cast<uint32_t>(take);
    inputStart_ += take;
    inputAvailable_ -= take;
    if (headerLeft_ == 0 && input_[inputStart_ - 1] != data_.checkByte) return Fail(StreamStatus::BadPassword);
  }
}

StreamStatus ZipEntryStream::Inflate(uint8_t* destination, size_t size, size_t* produced) {
  *produced = 0;
  StreamStatus filled = FillInput();
  if (filled != StreamStatus::Ok) return filled;
  if (headerLeft_ != 0) return Fail(StreamStatus::Failed);
  inflate_.next_in = input_.get() + inputStart_;
  inflate_.avail_in = static_cast<uInt>(inputAvailable_);
  inflate_.next_out = destination;
  inflate_.avail_out = static_cast<uInt>(size);
  int ret = inflate(&inflate_, Z_SYNC_FLUSH);
  size_t consumed = inputAvailable_ - inflate_.avail_in;
  *produced = size - inflate_.avail_out;
  inputStart_ += consumed;
  inputAvailable_ -= consumed;
  if (ret == Z_STREAM_END) {
    streamEnded_ = true;
    return StreamStatus::Ok;
  }
  if (ret == Z_OK) return StreamStatus::Ok;
  // Z_BUF_ERROR means no progress was possible: fine when the input ran dry and more can be read,
  // fatal otherwise (it would come back forever).
  if (ret == Z_BUF_ERROR && inputAvailable_ == 0 && compressedLeft_ > 0) return StreamStatus::Ok;
  return Fail(StreamStatus::Failed);
}

StreamStatus ZipEntryStream::Finish() {
  if (data_.method == kMethodDeflated) {
    while (!streamEnded_) {
      uint8_t scratch[1];
      size_t produced = 0;
      StreamStatus status = Inflate(scratch, sizeof scratch, &produced);
      if (status != StreamStatus::Ok) return status;
      if (produced != 0) return Fail(StreamStatus::Failed);
      if (!streamEnded_ && inputAvailable_ == 0 && compressedLeft_ == 0) return Fail(StreamStatus::Failed);
    }
  } else {
    StreamStatus filled = FillInput();
    if (filled != StreamStatus::Ok) return filled;
  }
  if (headerLeft_ != 0 || inputAvailable_ != 0 || compressedLeft_ != 0) return Fail(StreamStatus::Failed);
  if (crc_ != data_.crc32) return Fail(StreamStatus::Failed);
  complete_ = true;
  return StreamStatus::Ok;
}

StreamStatus ZipEntryStream::Read(uint8_t* destination, size_t size, size_t* delivered, bool* complete) {
  *delivered = 0;
  *complete = complete_;
  if (status_ != StreamStatus::Ok) return status_;
  if (complete_) return StreamStatus::Ok;
  size_t room = size < uncompressedLeft_ ? size : uncompressedLeft_;
  uint8_t* out = destination;
  while (room > 0) {
    size_t produced = 0;
    if (data_.method == kMethodDeflated) {
      StreamStatus status = Inflate(out, room, &produced);
      if (status != StreamStatus::Ok) return status;
      if (streamEnded_ && produced < room) return Fail(StreamStatus::Failed);
    } else {
      StreamStatus status = FillInput();
      if (status != StreamStatus::Ok) return status;
      produced = inputAvailable_ < room ? inputAvailable_ : room;
      if (produced == 0) return Fail(StreamStatus::Failed);
      memcpy(out, input_.get() + inputStart_, produced);
      inputStart_ += produced;
      inputAvailable_ -= produced;
    }
    crc_ = static_cast<uint32_t>(crc32(crc_, out, static_cast<uInt>(produced)));
    uncompressedLeft_ -= static_cast<uint32_t>(produced);
    out += produced;
    room -= produced;
    *delivered += produced;
  }
  if (uncompressedLeft_ == 0) {
    StreamStatus status = Finish();
    if (status != StreamStatus::Ok) return status;
  }
  *complete = complete_;
  return StreamStatus::Ok;
}

}  // namespace zip
