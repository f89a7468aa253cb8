// The brightness correction as a percent.
#include "app/brightness_percent.h"

#include <cmath>
#include <limits>
#include <string>

#include "framework/base/dialog_number.h"

namespace plantapp {

int32_t BrightnessPercent(double brightness) {
  const double percent = std::round(brightness * 100.0 + 100.0);
  // The comparisons are false for NaN as well, which so falls through to the default.
  if (!(percent >= std::numeric_limits<int32_t>::min() && percent <= std::numeric_limits<int32_t>::max())) {
    return kDefaultBrightnessPercent;
  }
  return static_cast<int32_t>(percent);
}

double BrightnessFromPercent(int32_t percent) { return percent / 100.0 - 1.0; }

int32_t ParseBrightnessText(std::string_view text) {
  const std::string head(text.substr(0, 4));
  // The widest limits keep ParseDlgNumber from clamping, so an out-of-range number is seen as one;
  // text without a number reads as 0, which is out of range too.
  const int32_t percent = ParseDlgNumber(head.c_str(), std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max(), false);
  if (percent < kMinBrightnessPercent || percent > kMaxBrightnessPercent) return kDefaultBrightnessPercent;
  return percent;
}

}  // namespace plantapp
