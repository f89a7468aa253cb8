// Token expansion with the program's own values: its name, configuration folder, version and the
// local time of the archive clock.
#pragma once

#include <cstddef>

/// Expands the tokens of `pattern` (see ExpandPathTokensWith) and then the environment with
/// ExpandEnvironmentStringsA, into `out` of `outSize` characters. %CONFIGDIR% is the install
/// record's custom data folder, or the data folder when the install record names none. True when
/// everything fit.
bool ExpandPathTokens(const char* pattern, char* out, size_t outSize);
