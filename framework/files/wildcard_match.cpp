// Wildcard matching of file names.
#include "framework/files/wildcard_match.h"

#include <cstddef>
#include <cstring>

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Matches the whole of `name` against the first `patternLength` characters of `pattern`. Greedy
// with one backtrack point, the last "*": when a later literal fails, that star takes one more
// character. This is linear in practice and never recursive, whatever a hostile pattern holds.
bool MatchRange(const char* name, const char* pattern, size_t patternLength) {
  size_t n = 0, p = 0;
  size_t starPattern = static_cast<size_t>(-1), starName = 0;
  while (name[n] != '\0') {
    if (p < patternLength && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < patternLength && (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != static_cast<size_t>(-1)) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < patternLength && pattern[p] == '*') ++p;
  return p == patternLength;
}

}  // namespace

bool MatchesWildcard(const char* name, const char* pattern) {
  if (name == nullptr || pattern == nullptr || name[0] == '\0' || pattern[0] == '\0') return false;
  const size_t length = std::strlen(pattern);
  if (MatchRange(name, pattern, length)) return true;
  const bool endsInDotStar = length >= 2 && pattern[length - 2] == '.' && pattern[length - 1] == '*';
  return endsInDotStar && MatchRange(name, pattern, length - 2);
}
