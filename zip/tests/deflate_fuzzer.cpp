// Fuzz target: compresses arbitrary input, read in chunks of a size the input chooses, and checks
// that zlib's raw inflate gives the input back. Inputs whose second byte is below 8 are tiled into
// 24 to 192 slightly altered copies, so that short inputs also reach the window slides past 64 KB.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "zip/deflate.h"

namespace {

class FuzzIo : public zip::DeflateIo {
 public:
  FuzzIo(const uint8_t* data, size_t size, size_t chunk) : data_(data), size_(size), chunk_(chunk) {}
  int64_t ReadInput(uint8_t* buffer, size_t size) override {
    size_t count = std::min({size, chunk_, size_ - position_});
    if (count > 0) memcpy(buffer, data_ + position_, count);
    position_ += count;
    return static_cast<int64_t>(count);
  }
  bool WriteOutput(const uint8_t* bytes, size_t size) override {
    output.insert(output.end(), bytes, bytes + size);
    return true;
  }
  std::vector<uint8_t> output;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t chunk_;
  size_t position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<zip::Deflater> deflater = zip::Deflater::Create();
  std::vector<uint8_t> tiled;
  if (size >= 2 && data[1] < 8) {
    size_t copies = (data[1] + 1u) * 24u;
    for (size_t c = 0; c < copies; ++c) {
      tiled.insert(tiled.end(), data, data + size);
      tiled.back() = static_cast<uint8_t>(tiled.back() ^ c);
    }
    data = tiled.data();
    size = tiled.size();
  }
  // Short reads move the window fills to other places; 0 means the largest reads.
  size_t chunk = size > 0 && data[0] < 16 ? 1 + data[0] * 37 : SIZE_MAX;
  FuzzIo io(data, size, chunk);
  uint64_t count = 0;
  if (!deflater->Compress(io, count) || count != io.output.size()) abort();

  std::vector<uint8_t> back(size + 1);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) abort();
  z.next_in = io.output.data();
  z.avail_in = static_cast<uInt>(io.output.size());
  z.next_out = back.data();
  z.avail_out = static_cast<uInt>(back.size());
  int rc = inflate(&z, Z_FINISH);
  bool same = rc == Z_STREAM_END && z.avail_in == 0 && z.total_out == size && memcmp(back.data(), data, size) == 0;
  inflateEnd(&z);
  if (!same) abort();
  return 0;
}
