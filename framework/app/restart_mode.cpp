// Restart mode and verb.
#include "framework/app/restart_mode.h"

int32_t ResolveRestartMode(int32_t mode, int32_t elevated) {
  if (mode != kRestartAsNow) return mode;
  return elevated != 0 ? kRestartElevated : kRestartNormal;
}

bool RestartsWithElevation(int32_t restartMode, int32_t osCode) {
  return restartMode == kRestartElevated && osCode > 5;
}
