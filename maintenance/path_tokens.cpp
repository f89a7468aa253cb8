// Token expansion of archive templates.
#include "maintenance/path_tokens.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/base/text_search.h"

namespace {

void CopyCut(char* out, size_t outSize, const char* text) {
  if (outSize == 0) return;
  std::snprintf(out, outSize, "%s", text);
}

}  // namespace

bool ExpandPathTokensWith(const char* pattern, char* out, size_t outSize, const PathTokenValues& values,
                          ExpandEnvironmentFn expandEnvironment) {
  if (out == nullptr || outSize == 0) return false;
  out[0] = '\0';
  if (pattern == nullptr) return false;
  const size_t workSize = std::min(outSize, kPathTokenWorkSize);
  char work[kPathTokenWorkSize];
  if (std::strlen(pattern) >= workSize) {
    CopyCut(out, outSize, pattern);
    return false;
  }
  std::memcpy(work, pattern, std::strlen(pattern) + 1);

  char version[40], year[16], month[16], day[16], hour[16], minute[16], second[16], date[48], time[48];
  std::snprintf(version, sizeof version, "%d.%d.%d", values.version[0], values.version[1], values.version[2]);
  std::snprintf(year, sizeof year, "%04d", values.year);
  std::snprintf(month, sizeof month, "%02d", values.month);
  std::snprintf(day, sizeof day, "%02d", values.day);
  std::snprintf(hour, sizeof hour, "%02d", values.hour);
  std::snprintf(minute, sizeof minute, "%02d", values.minute);
  std::snprintf(second, sizeof second, "%02d", values.second);
  std::snprintf(date, sizeof date, "%02d.%02d.%04d", values.day, values.month, values.year);
  std::snprintf(time, sizeof time, "%02d-%02d-%02d", values.hour, values.minute, values.second);
  const char* const tokens[][2] = {
      {"%PROGRAM%", values.productName != nullptr ? values.productName : ""},
      {"%CONFIGDIR%", values.configFolder != nullptr ? values.configFolder : ""},
      {"%PROGVER%", version},
      {"%YEAR%", year},
      {"%MONTH%", month},
      {"%DAY%", day},
      {"%HOUR%", hour},
      {"%MINUTE%", minute},
      {"%SECOND%", second},
      {"%DATE%", date},
      {"%TIME%", time},
  };
  for (const auto& token : tokens) {
    if (ReplaceAll(work, workSize, token[0], token[1], false) < 0) {
      CopyCut(out, outSize, work);
      return false;
    }
  }
  // ExpandEnvironmentStringsA answers the size it needed, not 0, when the result did not fit.
  const uint32_t size = static_cast<uint32_t>(std::min<size_t>(outSize, UINT32_MAX));
  const uint32_t needed = expandEnvironment(work, out, size);
  if (needed == 0 || needed > size) {
    CopyCut(out, outSize, work);
    return false;
  }
  out[outSize - 1] = '\0';
  return true;
}
