// What the program's start-up would have set up before its maintenance runs: the application
// object's identity, version, patterns and UI style, and a data folder of the test's own.
#pragma once

#include <string>

/// Makes `folder` the data folder of gApp (created, emptied first).
void UseDataFolder(const std::string& folder);

/// 2026-12-08 12:00 UTC: the 8th of December in every time zone within eleven hours of UTC.
constexpr long long kTestNow = 1796688000 + 12 * 3600;
