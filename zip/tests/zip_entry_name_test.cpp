// Entry-name sanitising: the worked examples, and every way a name might climb out of the base.
#include "zip/zip_entry_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zip {
namespace {

std::string Sanitised(const std::string& stored) {
  char out[kEntryNameCapacity];
  memset(out, 'x', sizeof out);
  if (!SanitiseEntryName(stored.data(), stored.size(), out)) return "<refused>";
  return out;
}

struct NameCase {
  const char* stored;
  const char* expected;
};

TEST(SanitiseEntryName, KeepsTheWorkedExamples) {
  const NameCase cases[] = {
      {"C:\\x\\a.txt", "x\\a.txt"}, {"/etc/a", "etc/a"},     {"a/../b", "b"},   {"x\\..\\y\\z", "y\\z"},
      {"plain.txt", "plain.txt"},   {"dir/sub/", "dir/sub/"}, {"a\\b.txt", "a\\b.txt"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(Sanitised(c.stored), c.expected) << c.stored;
}

TEST(SanitiseEntryName, NeverClimbsOutOfTheBase) {
  const NameCase cases[] = {
      {"../a", "a"},
      {"..\\a", "a"},
      {"a/../../b", "b"},
      {"a\\..\\..\\b", "b"},
      {"a/b/../../../c", "c"},
      {"\\\\srv\\share\\a", "srv\\share\\a"},
      {"//srv/share/a", "srv/share/a"},
      {"C:..\\a", "a"},
      {"C:../a", "a"},
      {"C:D:/a", "a"},
      {"./a", "a"},
      {"a/./b", "a/b"},
      {"a//b", "a/b"},
      {".../a", "a"},
      {". ./a", "a"},
      {".. /a", "a"},
      {"a. ", "a"},
      {"dir./x", "dir/x"},
      {"../../", "<refused>"},
      {"a/..", "<refused>"},
      {"..", "<refused>"},
      {"/", "<refused>"},
      {"C:", "<refused>"},
      {"", "<refused>"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(Sanitised(c.stored), c.expected) << c.stored;
}

TEST(SanitiseEntryName, RefusesWhatWindowsGivesAnotherMeaning) {
  const char* refused[] = {"CON",     "con.txt",  "aux.txt", "x/NUL/y", "COM1",    "lpt9.log", "CONOUT$",
                           "a.txt:ads", "x/C:/y", "a<b",     "a|b",     "what?",   "*.txt",    "a\"b",
                           "tab\there", "del\x7f"};
  for (const char* name : refused) EXPECT_EQ(Sanitised(name), "<refused>") << name;
  EXPECT_EQ(Sanitised("CONSOLE.txt"), "CONSOLE.txt");
  EXPECT_EQ(Sanitised("COM10"), "COM10");
  EXPECT_EQ(Sanitised(std::string("a\0../../x", 9)), "<refused>");
}

TEST(SanitiseEntryName, LimitsTheLength) {
  EXPECT_EQ(Sanitised(std::string(259, 'a')), std::string(259, 'a'));
  EXPECT_EQ(Sanitised(std::string(260, 'a')), "<refused>");
  EXPECT_EQ(Sanitised("../" + std::string(259, 'a')), std::string(259, 'a'));
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "d/";
  for (int i = 0; i < 200; ++i) deep += "../";
  EXPECT_EQ(Sanitised(deep + "f"), "<refused>");
}

TEST(IsSafeRelativePath, AcceptsOnlySanitisedRelativeNames) {
  EXPECT_TRUE(IsSafeRelativePath("a/b.txt"));
  EXPECT_TRUE(IsSafeRelativePath("sub\\dir\\"));
  for (const char* bad : {"", "../a", "a/../b", "/a", "\\a", "C:x", "a//b", "./a", "CON", "a "}) {
    EXPECT_FALSE(IsSafeRelativePath(bad)) << bad;
  }
}

}  // namespace
}  // namespace zip
