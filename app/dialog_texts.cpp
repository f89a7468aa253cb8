// The plant dialog's age, health and temperature texts.
#include "app/dialog_texts.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace plantapp {
namespace {

constexpr int64_t kHoursPerDay = 24;
constexpr int64_t kDaysPerMonth = 30;
constexpr int64_t kMonthsPerYear = 12;

std::string Count(int64_t number, const char* unit) {
  char text[48];
  std::snprintf(text, sizeof text, "%" PRId64 " %s%s", number, unit, number == 1 ? "" : "s");
  return text;
}

// The whole percent of health, saturated so that no float-to-integer conversion overflows.
int64_t WholePercent(double health) {
  const double percent = std::trunc(health * 100.0);
  return static_cast<int64_t>(std::clamp(percent, -1e15, 1e15));
}

}  // namespace

std::string AgeText(uint32_t stepCount, int32_t secondsPerStep) {
  // At most 2^32 x 2^31 seconds: the product fits 64 bits.
  const int64_t seconds = int64_t{stepCount} * std::max<int32_t>(secondsPerStep, 0);
  const int64_t hours = seconds / 60 / 60;
  const int64_t months = hours / (kHoursPerDay * kDaysPerMonth);
  const int64_t years = months / kMonthsPerYear;
  const int64_t month = months % kMonthsPerYear;
  const int64_t days = hours / kHoursPerDay - months * kDaysPerMonth;
  const int64_t hour = hours % kHoursPerDay;
  if (years > 0) return Count(years, "year") + ", " + Count(month, "month");
  if (month > 0) return Count(month, "month") + ", " + Count(days, "day");
  if (days > 0) return Count(days, "day") + ", " + Count(hour, "hour");
  return Count(hour, "hour");
}

std::string HealthText(double health) {
  if (health > 0.0) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 " %%", WholePercent(health));
    return text;
  }
  if (health == 0.0) return "Dead";
  return "Unknown";
}

int32_t HealthBarPercent(double health) {
  if (!(health > 0.0)) return 0;
  return static_cast<int32_t>(std::min<int64_t>(WholePercent(health), 100));
}

std::string TemperatureText(double celsius, bool fahrenheit) {
  char text[10];  // nine characters and the terminator
  if (fahrenheit) {
    std::snprintf(text, sizeof text, "%.0f \xB0" "F", celsius * 1.8 + 32.0);
  } else {
    std::snprintf(text, sizeof text, "%.0f \xB0" "C", celsius);
  }
  return text;
}

}  // namespace plantapp
