// CRC-32 against published check values and a bit-by-bit reference.
#include "framework/crc32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The CRC computed one bit at a time, without a table.
uint32_t BitwiseCrc32(const unsigned char* data, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

TEST(Crc32, KnownVectors) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32("123456789", -1), 0xCBF43926u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog", -1), 0x414FA339u);
  // The product name keys the messages between instances: this value must never change.
  EXPECT_EQ(Crc32("Verdelo", -1), 0xE85F1F48u);
  EXPECT_EQ(Crc32("abc", 0), 0u);
  EXPECT_EQ(Crc32("", -1), 0u);
  EXPECT_EQ(Crc32(nullptr, 5), 0u);
}

TEST(Crc32, TableMatchesBitwiseReference) {
  unsigned char bytes[256];
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
  for (size_t length : {size_t(1), size_t(2), size_t(31), size_t(256)})
    EXPECT_EQ(Crc32(bytes, ptrdiff_t(length)), BitwiseCrc32(bytes, length)) << length;
  EXPECT_EQ(kCrc32Table[1], 0x77073096u);
  EXPECT_EQ(kCrc32Table[255], 0x2D02EF8Du);
}

}  // namespace
