// How a restart is made: the mode a request resolves to and the shell verb that starts it.
#pragma once

#include <cstdint>

constexpr int32_t kRestartNone = 0;
constexpr int32_t kRestartNormal = 1;
constexpr int32_t kRestartElevated = 2;
/// Asked mode: elevated when the process runs elevated (or cannot tell), else normal.
constexpr int32_t kRestartAsNow = -1;

/// The mode of a restart request: kRestartAsNow becomes kRestartElevated unless `elevated`
/// (IsProcessElevated's answer: 1, 0 or -1) is 0, and kRestartNormal then; other modes stay.
int32_t ResolveRestartMode(int32_t mode, int32_t elevated);

/// True when the restart asks the shell for elevation ("runas"): elevated mode on Windows Vista
/// or later (OS code above 5). An unknown version (0) starts with the default verb.
bool RestartsWithElevation(int32_t restartMode, int32_t osCode);
