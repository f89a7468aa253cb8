// Wildcard matching as the Windows file search does it for long names.
#include "framework/files/wildcard_match.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MatchesWildcard, StarsQuestionMarksAndLetterCase) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"App.zrd", "*.zrd", true},
      {"(ZRF)Win3.ZRD", "*.zrd", true},
      {"a.zrdx", "*.zrd", false},
      {"a.pltx", "*.plt", false},
      {"zrd", "*.zrd", false},
      {".zrd", "*.zrd", true},
      {"Verdelo-2026.12.08.BrambeckConfig", "*.BrambeckConfig", true},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"abbc", "a?c", false},
      {"abc", "*", true},
      {"abc", "a*b*c*", true},
      {"abxd", "*b?d", true},
      {"aXbXc", "a*X*c", true},
      {"aaa", "a*aa", true},
      {"aa", "a*aa", false},
      {"a", "", false},
      {"", "*", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST(MatchesWildcard, DotStarAlsoMatchesANameWithoutExtension) {
  EXPECT_TRUE(MatchesWildcard("noext", "*.*"));
  EXPECT_TRUE(MatchesWildcard("a.b.c", "*.*"));
  EXPECT_TRUE(MatchesWildcard("notes", "notes.*"));
  EXPECT_TRUE(MatchesWildcard("notes.txt", "notes.*"));
  EXPECT_FALSE(MatchesWildcard("notesx", "notes.*"));
  EXPECT_FALSE(MatchesWildcard("note", "notes.*"));
}

TEST(MatchesWildcard, ManyStarsAgainstALongNameStayQuick) {
  // Backtracking over every star would take 2^40 steps here.
  const std::string name(250, 'a');
  const std::string pattern = std::string(40, '*') + "b";
  EXPECT_FALSE(MatchesWildcard(name.c_str(), pattern.c_str()));
}

}  // namespace
