// Expanding the tokens of archive folder and name templates (%PROGRAM%, %YEAR%, ...) and then
// environment variables. Platform-free: the values and the environment expansion are handed in;
// the program's own values are gathered by ExpandPathTokens in path_tokens_win.h.
#pragma once

#include <cstddef>
#include <cstdint>

/// What the tokens stand for at one moment.
struct PathTokenValues {
  const char* productName;   ///< %PROGRAM%
  const char* configFolder;  ///< %CONFIGDIR%
  int32_t version[3];        ///< %PROGVER%: major, minor, build
  int32_t year;              ///< local time of one clock reading: %YEAR%, %DATE%
  int32_t month;             ///< 1-12
  int32_t day;               ///< 1-31
  int32_t hour;
  int32_t minute;
  int32_t second;
};

/// Expands environment variables the way ExpandEnvironmentStringsA does: the characters needed
/// for the whole result, terminator included (more than `size` when it did not fit), or 0.
using ExpandEnvironmentFn = uint32_t (*)(const char* source, char* target, uint32_t size);

/// Longest text the expansion works on, terminator included.
constexpr size_t kPathTokenWorkSize = 2048;

/// Replaces every %PROGRAM%, %CONFIGDIR%, %PROGVER%, %YEAR%, %MONTH%, %DAY%, %HOUR%, %MINUTE%,
/// %SECOND%, %DATE% (dd.mm.yyyy) and %TIME% (hh-mm-ss) of `pattern`, in that order and with
/// letter case, then expands environment variables into `out` (`outSize` characters). True when
/// every step fit: the template and each replacement within min(outSize, 2048) characters, and
/// the environment expansion within `outSize`. On false `out` holds what was expanded so far,
/// cut to fit.
bool ExpandPathTokensWith(const char* pattern, char* out, size_t outSize, const PathTokenValues& values,
                          ExpandEnvironmentFn expandEnvironment);
