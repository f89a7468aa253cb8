// Wildcard matching as the Windows file search does it for long names.
#include "framework/files/wildcard_match.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MatchesWildcard, LikeTheWindowsSearchOnLongNames) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"(ZRF)Win3.ZRD", "*.zrd", true},
      {"a.zrdx", "*.zrd", false},
      {"a.pltx", "*.plt", false},
      {".zrd", "*.zrd", true},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"abxd", "*b?d", true},
      {"aaa", "a*aa", true},
      {"aa", "a*aa", false},
      {"noext", "*.*", true},
      {"a.b.c", "*.*", true},
      {"notes", "notes.*", true},
      {"notes.txt", "notes.*", true},
      {"notesx", "notes.*", false},
      {"a", "", false},
      {"", "*", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
  // Retrying every star would take 2^40 steps here; a hostile keep list must not hang the start.
  EXPECT_FALSE(MatchesWildcard(std::string(250, 'a').c_str(), (std::string(40, '*') + "b").c_str()));
}

}  // namespace
