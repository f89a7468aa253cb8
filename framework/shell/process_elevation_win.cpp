// Whether this process runs elevated.
#include "framework/shell/process_elevation_win.h"

#include <windows.h>

#include "framework/base/scoped_handles_win.h"

int32_t IsProcessElevated(int32_t osCode) {
  if (osCode < 6) return 1;
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return -1;
  ScopedHandle token(rawToken);
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  if (!GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size)) return -1;
  return elevation.TokenIsElevated != 0 ? 1 : 0;
}
