// Base64 against the RFC 4648 vectors and the line breaks after 76 characters.
#include "maintenance/base64.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace maintenance {
namespace {

TEST(Base64Test, EncodesTheRfc4648Vectors) {
  const char* const kVectors[][2] = {{"f", "Zg=="},        {"fo", "Zm8="},        {"foo", "Zm9v"},
                                     {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
  for (const auto& vector : kVectors) {
    EXPECT_EQ(Base64Line(vector[0]), vector[1]);
    const std::unique_ptr<char[]> text = Base64EncodeText(vector[0], -1);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text.get(), vector[1]);
  }
  EXPECT_EQ(Base64Line("user:pass"), "dXNlcjpwYXNz");
}

TEST(Base64Test, BreaksLinesAfterEvery76Characters) {
  uint8_t bytes[58];
  for (int i = 0; i < 58; ++i) bytes[i] = static_cast<uint8_t>(i);
  const std::string kLine = "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4";

  size_t length = 57;
  std::unique_ptr<char[]> text = Base64Encode(bytes, &length);
  EXPECT_EQ(length, 78u);
  EXPECT_EQ(std::string(text.get()), kLine + "\r\n");

  length = 58;
  text = Base64Encode(bytes, &length);
  EXPECT_EQ(length, 82u);
  EXPECT_EQ(std::string(text.get()), kLine + "\r\nOQ==");

  // The one-line form never breaks.
  EXPECT_EQ(Base64Line(std::string(reinterpret_cast<const char*>(bytes), 58)), kLine + "OQ==");
}

TEST(Base64Test, NothingToEncodeGivesNull) {
  size_t length = 0;
  EXPECT_EQ(Base64Encode("x", &length), nullptr);
  EXPECT_EQ(Base64Encode("x", nullptr), nullptr);
  length = 1;
  EXPECT_EQ(Base64Encode(nullptr, &length), nullptr);
  EXPECT_EQ(length, 1u);
  EXPECT_EQ(Base64EncodeText("", -1), nullptr);
}

}  // namespace
}  // namespace maintenance
