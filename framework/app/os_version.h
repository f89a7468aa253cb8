// The application object's OS code: the Windows version as one small number.
#pragma once

#include <cstdint>

/// 6 for Windows 6.0, 7 for 6.1, 8 for 6.2 and 6.3, 10 for major 10 with a build below 22000,
/// 11 from build 22000 on; 0 for anything else and when the system gave no answer.
int32_t OsCodeFromVersion(bool answered, uint32_t major, uint32_t minor, uint32_t build);
