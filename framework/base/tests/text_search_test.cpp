// Case-insensitive search and token replacement on fixed buffers.
#include "framework/base/text_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(FindTextNoCase, FindsHeaderNamesInAnyCase) {
  const char reply[] = "HTTP/1.0 200 OK\r\ncOnTeNt-LeNgTh: 12\r\n";
  EXPECT_EQ(FindTextNoCase(reply, "Content-Length:"), reply + 17);
  EXPECT_EQ(FindTextNoCase(reply, "content-type:"), nullptr);
  EXPECT_EQ(FindTextNoCase(reply, ""), reply);
  EXPECT_EQ(FindTextNoCase("", ""), nullptr);
  EXPECT_EQ(FindTextNoCase("ab", "abc"), nullptr);
  EXPECT_EQ(FindTextNoCase(nullptr, "a"), nullptr);
}

TEST(EndsWithNoCase, SuffixAtTheEndOnly) {
  const char name[] = "C:\\Help\\VERDELO.CHM";
  EXPECT_EQ(EndsWithNoCase(name, ".chm"), name + std::strlen(name) - 4);
  EXPECT_EQ(EndsWithNoCase(name, ".htm"), nullptr);
  EXPECT_EQ(EndsWithNoCase(".chm", "x.chm"), nullptr);
  EXPECT_EQ(EndsWithNoCase(name, ""), nullptr);
  EXPECT_EQ(EndsWithNoCase("", ".chm"), nullptr);
}

TEST(ReplaceAll, ReplacesEveryTokenLeftToRight) {
  char buffer[64] = "Backup_%DAY%_%DAY%.zip";
  EXPECT_EQ(ReplaceAll(buffer, sizeof buffer, "%DAY%", "08", false), 2);
  EXPECT_STREQ(buffer, "Backup_08_08.zip");
  // An inserted replacement is not searched again, so this cannot loop.
  char nested[64] = "%DAY%%DAY%";
  EXPECT_EQ(ReplaceAll(nested, sizeof nested, "%DAY%", "<%DAY%>", false), 2);
  EXPECT_STREQ(nested, "<%DAY%><%DAY%>");
  char none[16] = "plain";
  EXPECT_EQ(ReplaceAll(none, sizeof none, "%DAY%", "08", false), 0);
  EXPECT_STREQ(none, "plain");
}

TEST(ReplaceAll, ResultsThatDoNotFit) {
  // "abLONGERcd" needs 11 bytes with its terminator.
  char exact[11] = "ab%T%cd";
  EXPECT_EQ(ReplaceAll(exact, sizeof exact, "%T%", "LONGER", false), 1);
  EXPECT_STREQ(exact, "abLONGERcd");
  char small[10] = "ab%T%cd";
  EXPECT_EQ(ReplaceAll(small, sizeof small, "%T%", "LONGER", false), -1);
  EXPECT_STREQ(small, "ab%T%cd");
  EXPECT_EQ(ReplaceAll(small, sizeof small, "%T%", "LONGER", true), 1);
  EXPECT_STREQ(small, "abLONGERc");
  char tiny[6] = "x%T%y";
  EXPECT_EQ(ReplaceAll(tiny, sizeof tiny, "%T%", "123456", true), 1);
  EXPECT_STREQ(tiny, "x1234");
}

TEST(ReplaceAll, BadArgumentsLeaveTheBufferAlone) {
  char buffer[16] = "a%T%b";
  EXPECT_EQ(ReplaceAll(buffer, sizeof buffer, "", "x", true), -1);
  EXPECT_EQ(ReplaceAll(buffer, sizeof buffer, nullptr, "x", true), -1);
  EXPECT_EQ(ReplaceAll(buffer, sizeof buffer, "%T%", nullptr, true), -1);
  EXPECT_EQ(ReplaceAll(nullptr, 16, "%T%", "x", true), -1);
  EXPECT_EQ(ReplaceAll(buffer, 0, "%T%", "x", true), -1);
  EXPECT_STREQ(buffer, "a%T%b");
  char unterminated[4] = {'%', 'T', '%', 'x'};
  EXPECT_EQ(ReplaceAll(unterminated, sizeof unterminated, "%T%", "y", true), -1);
}

}  // namespace
