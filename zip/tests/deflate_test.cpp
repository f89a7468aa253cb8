// The deflate compressor: every stream inflates with zlib to the original bytes, known answers,
// stored-block overhead, the code length limit, and failures of the callbacks.
#include "zip/deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "zip/deflate_internal.h"
#include "zip/tests/deflate_corpus.h"

namespace zip {
namespace {

class MemoryIo : public DeflateIo {
 public:
  explicit MemoryIo(const std::vector<uint8_t>& input) : input_(input) {}
  int64_t ReadInput(uint8_t* buffer, size_t size) override {
    if (failReadAt_ != SIZE_MAX && position_ >= failReadAt_) return -1;
    size_t count = std::min(size, input_.size() - position_);
    if (count > 0) memcpy(buffer, input_.data() + position_, count);
    position_ += count;
    return static_cast<int64_t>(count);
  }
  bool WriteOutput(const uint8_t* bytes, size_t size) override {
    if (output.size() + size > writeLimit_) return false;
    output.insert(output.end(), bytes, bytes + size);
    return true;
  }
  void FailReadsFrom(size_t position) { failReadAt_ = position; }
  void LimitOutput(size_t bytes) { writeLimit_ = bytes; }

  std::vector<uint8_t> output;

 private:
  const std::vector<uint8_t>& input_;
  size_t position_ = 0;
  size_t failReadAt_ = SIZE_MAX;
  size_t writeLimit_ = SIZE_MAX;
};

/// Inflates a raw deflate stream; false unless it ends exactly at the end of stream.
bool Inflate(const std::vector<uint8_t>& stream, std::vector<uint8_t>& out, size_t expectedSize) {
  out.assign(expectedSize + 1, 0);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return false;
  z.next_in = const_cast<uint8_t*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  int rc = inflate(&z, Z_FINISH);
  bool ok = rc == Z_STREAM_END && z.avail_in == 0;
  out.resize(z.total_out);
  inflateEnd(&z);
  return ok;
}

std::vector<uint8_t> Compress(Deflater& deflater, const std::vector<uint8_t>& input) {
  MemoryIo io(input);
  uint64_t count = 0;
  EXPECT_TRUE(deflater.Compress(io, count)) << deflater.Failure();
  EXPECT_EQ(count, io.output.size());
  return io.output;
}

TEST(DeflateTest, EveryCorpusItemInflatesToTheOriginal) {
  auto deflater = Deflater::Create();
  ASSERT_NE(deflater, nullptr);
  // One compressor for all items also proves that a stream never refers into the one before.
  for (const auto& item : testing::MakeDeflateCorpus()) {
    SCOPED_TRACE(item.name);
    std::vector<uint8_t> stream = Compress(*deflater, item.bytes);
    std::vector<uint8_t> back;
    ASSERT_TRUE(Inflate(stream, back, item.bytes.size()));
    EXPECT_TRUE(back == item.bytes);
  }
}

TEST(DeflateTest, KnownAnswers) {
  auto deflater = Deflater::Create();
  ASSERT_NE(deflater, nullptr);
  // An empty source: one final fixed-code block holding only the end-of-block code.
  EXPECT_EQ(Compress(*deflater, {}), (std::vector<uint8_t>{0x03, 0x00}));
  // A short text without repeats has one encoding only: a fixed block of literals (zlib agrees).
  std::vector<uint8_t> version = {0x00, '1', '.', '2', '.', '3'};
  EXPECT_EQ(Compress(*deflater, version), (std::vector<uint8_t>{0x63, 0x30, 0xD4, 0x33, 0xD2, 0x33, 0x06, 0x00}));
  // 300 zeros: two literals (position 0 heads no chain), then matches at distance 1 of 258 and 40
  // bytes: 3 + 8 + 8 + (8 + 5) + (7 + 3 + 5) + 7 = 54 bits in a fixed block.
  std::vector<uint8_t> zeros(300, 0);
  std::vector<uint8_t> back;
  std::vector<uint8_t> stream = Compress(*deflater, zeros);
  EXPECT_EQ(stream, (std::vector<uint8_t>{0x63, 0x60, 0x18, 0x05, 0xC4, 0x02, 0x00}));  // zlib's too
  ASSERT_TRUE(Inflate(stream, back, zeros.size()));
  EXPECT_TRUE(back == zeros);
}

TEST(DeflateTest, IncompressibleDataCostsAtMostFiveBytesPerStoredBlock) {
  auto deflater = Deflater::Create();
  ASSERT_NE(deflater, nullptr);
  std::vector<uint8_t> random(1 << 20);
  uint32_t x = 12345;
  for (auto& b : random) {
    x = x * 1103515245u + 12345u;
    b = static_cast<uint8_t>(x >> 23);
  }
  std::vector<uint8_t> stream = Compress(*deflater, random);
  // Blocks end after 32767 literals, so there are at most n / 32767 + 1 of them.
  EXPECT_LE(stream.size(), random.size() + 5 * (random.size() / 32767 + 1));
  // The first block is stored: type bits 00 after the final bit.
  EXPECT_EQ(stream[0] & 0x6, 0);
}

TEST(DeflateTest, CodeLengthsStayWithinTheLimitAndFillTheCodeSpace) {
  std::unique_ptr<DeflateState> s(new DeflateState());
  InitTrees(*s);
  // Fibonacci frequencies make the deepest possible Huffman tree: 29 levels for 30 symbols.
  uint32_t a = 1;
  uint32_t b = 1;
  for (int n = 0; n < 30; ++n) {
    s->dynLtree[n].freq = a;
    uint32_t next = a + b;
    a = b;
    b = next;
  }
  s->dynLtree[kEndBlock].freq = 0;
  s->optLen = 0;
  BuildTree(*s, s->lDesc);
  EXPECT_EQ(s->failure, nullptr);
  uint64_t kraft = 0;  // in units of 2^-15
  int64_t bits = 0;
  for (int n = 0; n < 30; ++n) {
    ASSERT_GE(s->dynLtree[n].len, 1);
    ASSERT_LE(s->dynLtree[n].len, kMaxBits);
    kraft += uint64_t{1} << (kMaxBits - s->dynLtree[n].len);
    bits += static_cast<int64_t>(s->dynLtree[n].len) * s->dynLtree[n].freq;
  }
  EXPECT_EQ(kraft, uint64_t{1} << kMaxBits);
  EXPECT_EQ(s->optLen, bits);

  // The bit-length tree is limited to 7 bits.
  a = b = 1;
  for (int n = 0; n < kBLCodes; ++n) {
    s->blTree[n].freq = a;
    uint32_t next = a + b;
    a = b;
    b = next;
  }
  BuildTree(*s, s->blDesc);
  EXPECT_EQ(s->failure, nullptr);
  kraft = 0;
  for (int n = 0; n < kBLCodes; ++n) {
    ASSERT_LE(s->blTree[n].len, kMaxBLBits);
    kraft += uint64_t{1} << (kMaxBLBits - s->blTree[n].len);
  }
  EXPECT_EQ(kraft, uint64_t{1} << kMaxBLBits);
}

TEST(DeflateTest, SkewedDataNeedingTheLengthLimitRoundTrips) {
  // Symbol counts growing like Fibonacci numbers push literal codes past 15 bits before the limit.
  std::vector<uint8_t> data;
  uint32_t a = 1;
  uint32_t b = 1;
  for (int symbol = 0; symbol < 25; ++symbol) {
    for (uint32_t i = 0; i < a; ++i) data.push_back(static_cast<uint8_t>(symbol * 7 + (i & 1) * 200));
    uint32_t next = a + b;
    a = b;
    b = next;
  }
  uint32_t x = 99;
  for (size_t i = data.size(); i > 1; --i) {  // shuffle so that few matches form
    x = x * 1664525u + 1013904223u;
    std::swap(data[i - 1], data[x % i]);
  }
  auto deflater = Deflater::Create();
  ASSERT_NE(deflater, nullptr);
  std::vector<uint8_t> back;
  ASSERT_TRUE(Inflate(Compress(*deflater, data), back, data.size()));
  EXPECT_TRUE(back == data);
}

TEST(DeflateTest, RefusedOutputFailsTheStream) {
  auto deflater = Deflater::Create();
  ASSERT_NE(deflater, nullptr);
  std::vector<uint8_t> text = testing::MakeText(200000, 9);
  MemoryIo io(text);
  io.LimitOutput(1000);
  uint64_t count = 0;
  EXPECT_FALSE(deflater->Compress(io, count));
  ASSERT_NE(deflater->Failure(), nullptr);
  EXPECT_STREQ(deflater->Failure(), "write failed");
  EXPECT_LE(count, 1000u);
  // The same compressor is sound again for the next stream.
  std::vector<uint8_t> back;
  ASSERT_TRUE(Inflate(Compress(*deflater, text), back, text.size()));
  EXPECT_TRUE(back == text);
}

TEST(DeflateTest, FailedReadEndsTheInputWithASoundStream) {
  auto deflater = Deflater::Create();
  ASSERT_NE(deflater, nullptr);
  std::vector<uint8_t> text = testing::MakeText(300000, 10);
  MemoryIo io(text);
  io.FailReadsFrom(65536);
  uint64_t count = 0;
  ASSERT_TRUE(deflater->Compress(io, count));
  std::vector<uint8_t> back;
  ASSERT_TRUE(Inflate(io.output, back, 65536));
  EXPECT_TRUE(std::equal(back.begin(), back.end(), text.begin()));
  EXPECT_EQ(back.size(), 65536u);
}

}  // namespace
}  // namespace zip
