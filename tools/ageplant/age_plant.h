// Preparing a grown plant for a test or a demonstration run: a plant file made to look as if the
// plant had been shut down cleanly some time ago with growing-while-off set, so that the program
// grows it for all that time at its next start. A test tool, not a feature of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace age_tool {

/// Sets the plant's clock `secondsBack` seconds before `now` (seconds since 1970) and its flags
/// GrowWhileOff and CleanShutdown, and AutoCare with `cared` (a pot left alone for weeks dries out
/// and the plant dies). False, with `bytes` unchanged and `*why` saying what was wrong, when they
/// are not a plant file the engine loads or `secondsBack` is negative.
[[nodiscard]] bool AgePlantBytes(std::vector<uint8_t>* bytes, int64_t now, int64_t secondsBack, bool cared,
                                 std::string* why);

}  // namespace age_tool
