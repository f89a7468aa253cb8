// The brightness correction as the Options page shows it: a whole percent from 80 to 120, where
// the plant record keeps percent / 100 - 1. Platform-free.
#pragma once

#include <cstdint>
#include <string_view>

namespace plantapp {

inline constexpr int32_t kMinBrightnessPercent = 80;
inline constexpr int32_t kMaxBrightnessPercent = 120;
inline constexpr int32_t kDefaultBrightnessPercent = 100;

/// The percent a stored brightness shows: brightness x 100 + 100, rounded to the nearest whole
/// number, so that every percent the page stores reads back as itself (truncating would turn a
/// stored 113 % into 112 %). A brightness that is not finite or lies beyond the 32-bit range
/// shows as 100.
[[nodiscard]] int32_t BrightnessPercent(double brightness);

/// The brightness the record keeps for percent: percent / 100 - 1.
[[nodiscard]] double BrightnessFromPercent(int32_t percent);

/// The percent of the brightness field's text: the decimal number at the start of its first four
/// characters (leading blanks and a sign allowed). Text that is no number, and a number below 80
/// or above 120, read as 100.
[[nodiscard]] int32_t ParseBrightnessText(std::string_view text);

}  // namespace plantapp
