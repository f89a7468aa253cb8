// Program versions "major.minor.build": read from the start of a text the way the update server
// writes them, and compared number by number.
#pragma once

#include <cstdint>
#include <string>

namespace maintenance {

struct ProgramVersion {
  int32_t major = 0;
  int32_t minor = 0;
  int32_t build = 0;
  bool operator==(const ProgramVersion&) const = default;
};

/// Reads three decimal numbers separated by dots from the start of a NUL-terminated text, as
/// sscanf's "%d.%d.%d" does: white space may stand before each number, a sign may start it, and
/// whatever follows the third number is ignored ("1.2.3-beta" is 1.2.3). False when the text does
/// not begin so ("v1.2.3", "1.2"), or a number does not fit in 32 bits.
bool ParseProgramVersion(const char* text, ProgramVersion* version);

/// Whether `fetched` is newer than `running`: a greater major, or an equal major and a greater
/// minor, or both equal and a greater build. Numbers, not texts: 1.10.0 is newer than 1.9.12.
bool IsNewerVersion(const ProgramVersion& fetched, const ProgramVersion& running);

/// The version as "major.minor.build" in plain decimals: what is shown and stored of a fetched
/// text, which ends where its third number ends ("1.1.0\r\n" and "01.1.0-rc" are both "1.1.0").
std::string ProgramVersionText(const ProgramVersion& version);

/// The version a stored or fetched text begins with, as ProgramVersionText writes it; empty when
/// the text does not begin with one.
std::string VersionTextOf(const char* text);

}  // namespace maintenance
