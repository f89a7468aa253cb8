// The traditional zip cipher against key streams worked out with Python's zipfile decrypter.
#include "zip/zip_cipher.h"

#include <gtest/gtest.h>

#include <vector>

namespace zip {
namespace {

TEST(ZipCipherTest, MatchesAnIndependentDecipherer) {
  // Python: zipfile._ZipDecrypter(b"Secret")(bytes(range(0, 160, 10)))
  const std::vector<uint8_t> enciphered = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150};
  const std::vector<uint8_t> plain = {0x34, 0x0F, 0xE4, 0x0E, 0xAE, 0x16, 0x72, 0x82,
                                      0xF4, 0x88, 0xAD, 0x26, 0xC1, 0xF3, 0x57, 0xE5};
  ZipCipher cipher;
  cipher.Start("Secret");
  std::vector<uint8_t> bytes = enciphered;
  cipher.Decipher(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, plain);

  cipher.Start("Secret");
  bytes = plain;
  cipher.Encipher(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, enciphered);
}

TEST(ZipCipherTest, NoPasswordKeepsTheStartKeys) {
  // Python: zipfile._ZipDecrypter(b"")(bytes(8))
  const std::vector<uint8_t> expected = {0xAB, 0xDB, 0x04, 0x4B, 0x12, 0xCE, 0x7C, 0x66};
  ZipCipher a;
  a.Start(nullptr);
  std::vector<uint8_t> bytes(8, 0);
  a.Decipher(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, expected);
  ZipCipher b;
  b.Start("");
  bytes.assign(8, 0);
  b.Decipher(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, expected);
}

TEST(ZipCipherTest, HeadersEndWithTheCheckByteAndDifferBetweenEntries) {
  uint8_t first[ZipCipher::kHeaderSize];
  uint8_t second[ZipCipher::kHeaderSize];
  ASSERT_TRUE(MakeCipherHeader(first, 0xA5));
  ASSERT_TRUE(MakeCipherHeader(second, 0xA5));
  EXPECT_EQ(first[11], 0xA5);
  EXPECT_EQ(second[11], 0xA5);
  // Two headers drawn at once must not repeat (a reseeded generator would give equal ones).
  EXPECT_NE(std::vector<uint8_t>(first, first + 11), std::vector<uint8_t>(second, second + 11));
}

}  // namespace
}  // namespace zip
