// Reading and comparing program versions.
#include "maintenance/program_version.h"

#include <climits>
#include <cstdio>

namespace maintenance {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One "%d": white space, an optional sign and at least one digit; the value must fit in 32 bits
// (sscanf itself leaves an overflow undefined).
bool ReadNumber(const char*& at, int32_t* number) {
  while (IsSpace(*at)) ++at;
  const bool negative = *at == '-';
  if (*at == '-' || *at == '+') ++at;
  if (*at < '0' || *at > '9') return false;
  int64_t value = 0;
  for (; *at >= '0' && *at <= '9'; ++at) {
    value = value * 10 + (*at - '0');
    if (value > static_cast<int64_t>(INT_MAX) + 1) return false;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return false;
  *number = static_cast<int32_t>(value);
  return true;
}

}  // namespace

bool ParseProgramVersion(const char* text, ProgramVersion* version) {
  if (text == nullptr) return false;
  const char* at = text;
  ProgramVersion read;
  if (!ReadNumber(at, &read.major) || *at++ != '.') return false;
  if (!ReadNumber(at, &read.minor) || *at++ != '.') return false;
  if (!ReadNumber(at, &read.build)) return false;
  *version = read;
  return true;
}

bool IsNewerVersion(const ProgramVersion& fetched, const ProgramVersion& running) {
  if (fetched.major != running.major) return fetched.major > running.major;
  if (fetched.minor != running.minor) return fetched.minor > running.minor;
  return fetched.build > running.build;
}

std::string ProgramVersionText(const ProgramVersion& version) {
  char text[40];  // three 32-bit numbers with their signs, two dots and the terminator
  std::snprintf(text, sizeof text, "%d.%d.%d", version.major, version.minor, version.build);
  return text;
}

std::string VersionTextOf(const char* text) {
  ProgramVersion version;
  return ParseProgramVersion(text, &version) ? ProgramVersionText(version) : std::string();
}

}  // namespace maintenance
