// The texts the plant dialog shows for the plant's age, health and temperature. Platform-free;
// the texts are ANSI in the Windows code page (the degree sign is byte 0xB0).
#pragma once

#include <cstdint>
#include <string>

namespace plantapp {

/// The plant's age after stepCount steps of secondsPerStep seconds, in 30-day months and 12-month
/// years, by its two largest units: "2 years, 3 months", "1 month, 0 days", "4 days, 1 hour", or
/// "0 hours" for a plant younger than an hour. A unit is plural unless its number is exactly 1.
/// A step length that is not positive counts as no time.
[[nodiscard]] std::string AgeText(uint32_t stepCount, int32_t secondsPerStep);

/// The health text of health (a fraction, ComputePlantHealth): "85 %" of the whole percent for a
/// living plant, "Dead" for 0, "Unknown" for -1 (or anything else that is no health).
[[nodiscard]] std::string HealthText(double health);

/// The health bar's percent for health: the whole percent, kept within 0 and 100; 0 for Unknown.
[[nodiscard]] int32_t HealthBarPercent(double health);

/// The temperature text: "22 °C", or in Fahrenheit "71 °F" (temperature x 1.8 + 32), rounded to
/// whole degrees and cut to 9 characters.
[[nodiscard]] std::string TemperatureText(double celsius, bool fahrenheit);

}  // namespace plantapp
