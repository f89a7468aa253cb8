// The age, health and temperature texts, worked out by hand.
#include "app/dialog_texts.h"

#include <gtest/gtest.h>

namespace plantapp {
namespace {

TEST(AgeText, TwoLargestUnitsWithThirtyDayMonths) {
  struct Case {
    uint32_t steps;
    int32_t secondsPerStep;
    const char* text;
  };
  const Case cases[] = {
      {0, 60, "0 hours"},
      {59, 60, "0 hours"},
      {1, 3600, "1 hour"},
      {25, 3600, "1 day, 1 hour"},
      {721, 3600, "1 month, 0 days"},
      {30, 86400, "1 month, 0 days"},
      {8641, 3600, "1 year, 0 months"},
      {800, 86400, "2 years, 2 months"},  // 800 days: 26 months (12-month years of 360 days)
      {4294967295u, 2147483647, "296533308590 years, 11 months"},
      {100, -5, "0 hours"},
  };
  for (const Case& c : cases) EXPECT_EQ(AgeText(c.steps, c.secondsPerStep), c.text) << c.steps;
}

TEST(HealthText, PercentDeadOrUnknown) {
  EXPECT_EQ(HealthText(0.856), "85 %");
  EXPECT_EQ(HealthBarPercent(0.856), 85);
  EXPECT_EQ(HealthText(0.0), "Dead");
  EXPECT_EQ(HealthBarPercent(0.0), 0);
  EXPECT_EQ(HealthText(-1.0), "Unknown");
  EXPECT_EQ(HealthBarPercent(-1.0), 0);
  EXPECT_EQ(HealthText(1.2), "120 %");
  EXPECT_EQ(HealthBarPercent(1.2), 100);
}

TEST(TemperatureText, WholeDegreesInEitherUnitAtMostNineCharacters) {
  // 21.5 rounds up with either runtime's "%.0f" (ties are avoided: 22.5 would differ).
  EXPECT_EQ(TemperatureText(21.4, false), "21 \xB0" "C");
  EXPECT_EQ(TemperatureText(21.6, false), "22 \xB0" "C");
  EXPECT_EQ(TemperatureText(21.5, true), "71 \xB0" "F");  // 70.7
  EXPECT_EQ(TemperatureText(-40.0, true), "-40 \xB0" "F");
  EXPECT_EQ(TemperatureText(1234567.0, false), "1234567 \xB0");
}

}  // namespace
}  // namespace plantapp
