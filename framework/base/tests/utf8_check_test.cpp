// UTF-8 well-formedness by lead bytes.
#include "framework/base/utf8_check.h"

#include <gtest/gtest.h>

namespace {

TEST(IsValidUtf8, Table) {
  const struct {
    const char* bytes;
    bool valid;
  } cases[] = {
      {"", true},
      {"plain ASCII", true},
      {"\xC3\xA9", true},          // e acute
      {"\xE2\x82\xAC", true},      // euro sign
      {"\xF0\x9F\x98\x80", true},  // four-byte form
      {"\xC3", false},             // continuation missing: the terminator is no 10xxxxxx
      {"\xC3\x41", false},
      {"\xE2\x82", false},
      {"\xF8\x80", false},  // five-byte lead
      {"\x80", false},      // continuation without a lead
      {"\xFF", false},
      {"a\xC3\xA9z\xE2\x82\xAC", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
  EXPECT_TRUE(IsValidUtf8(nullptr));
}

}  // namespace
