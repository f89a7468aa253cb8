// Whether this process runs elevated.
#pragma once

#include <cstdint>

/// 1 when Windows is older than Vista (OS code below 6: every process counts as elevated);
/// else the process token's elevation: 1 elevated, 0 not, -1 when the token cannot be opened or
/// queried. `osCode` is the application object's.
int32_t IsProcessElevated(int32_t osCode);
