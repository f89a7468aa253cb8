// Internal to the zip library: callers must not include this header.
// Names a file is written under until it is complete and takes its own name. Each is created
// exclusively, so a file that already bears one (a user's, or another archive's entry) is never
// opened or removed: the next name is tried instead.
#pragma once

#include <string>

namespace zip {

/// How many names are tried before creation gives up.
constexpr int kTemporaryNameAttempts = 100;

/// The attempt-th temporary name for path (0 <= attempt < kTemporaryNameAttempts): path + "_tmp",
/// then path + "_1_tmp", path + "_2_tmp" and so on.
std::string TemporaryName(const std::string& path, int attempt);

}  // namespace zip
