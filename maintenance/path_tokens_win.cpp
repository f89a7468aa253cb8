// The program's token values and the system's environment expansion.
#include "maintenance/path_tokens_win.h"

#include <windows.h>

#include <ctime>

#include "framework/app/zrf_app_win.h"
#include "maintenance/archive_clock.h"
#include "maintenance/path_tokens.h"

namespace {

uint32_t ExpandEnvironment(const char* source, char* target, uint32_t size) {
  return ExpandEnvironmentStringsA(source, target, size);
}

}  // namespace

bool ExpandPathTokens(const char* pattern, char* out, size_t outSize) {
  const time_t now = static_cast<time_t>(ArchiveClockNow());
  struct tm local {};
  if (localtime_s(&local, &now) != 0) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  // With no custom folder in the install record, archives would otherwise land at the root of
  // the current drive; the user's data folder is where the configuration lives.
  const char* configFolder =
      gApp.install.customDataFolder[0] != '\0' ? gApp.install.customDataFolder : gApp.dataFolder;
  const PathTokenValues values{
      gApp.productName,     configFolder,     {gApp.version[0], gApp.version[1], gApp.version[2]},
      local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
      local.tm_hour,        local.tm_min,     local.tm_sec};
  return ExpandPathTokensWith(pattern, out, outSize, values, ExpandEnvironment);
}
