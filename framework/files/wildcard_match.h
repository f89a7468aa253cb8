// Matching file names against the wildcard patterns of the Windows file search, platform-free, so a
// pattern selects the same files wherever the folder is read.
#pragma once

/// True when `name` matches `pattern`: "*" stands for any run of characters (none included), "?"
/// for exactly one, every other character for itself without regard to ASCII letter case. As in
/// the Windows file search, a pattern ending in ".*" also matches where the name simply ends, so
/// "*.*" matches every name and "notes.*" matches "notes". Only the long name counts: "*.plt" does
/// not match "a.pltx" through a short 8.3 alias. An empty pattern or name matches nothing.
bool MatchesWildcard(const char* name, const char* pattern);
