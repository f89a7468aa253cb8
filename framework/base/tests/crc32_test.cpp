// CRC-32 against published check values.
#include "framework/base/crc32.h"

#include <gtest/gtest.h>

namespace {

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

TEST(Crc32, TableEntries) {
  EXPECT_EQ(kCrc32Table[1], 0x77073096u);  // entries of the published table
  EXPECT_EQ(kCrc32Table[255], 0x2D02EF8Du);
}

}  // namespace
