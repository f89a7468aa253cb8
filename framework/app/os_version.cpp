// The Windows version as the OS code.
#include "framework/app/os_version.h"

int32_t OsCodeFromVersion(bool answered, uint32_t major, uint32_t minor, uint32_t build) {
  if (!answered) return 0;
  if (major == 6) {
    if (minor == 0) return 6;
    if (minor == 1) return 7;
    if (minor == 2 || minor == 3) return 8;
    return 0;
  }
  if (major == 10) return build >= 22000 ? 11 : 10;
  return 0;
}
