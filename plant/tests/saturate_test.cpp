// Saturating conversions of file doubles: in-range values convert as a plain cast would, the rest
// clamp instead of being undefined.
#include "plant/saturate.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(Saturate, ToU32) {
  const std::pair<double, uint32_t> rows[] = {{kNaN, 0u},
                                              {-kInfinity, 0u},
                                              {-1.0, 0u},
                                              {0.0, 0u},
                                              {0.999, 0u},
                                              {1.0, 1u},
                                              {3.75, 3u},
                                              {4294967295.0, 4294967295u},
                                              {4294967295.9, 4294967295u},
                                              {4294967296.0, UINT32_MAX},
                                              {1e300, UINT32_MAX},
                                              {kInfinity, UINT32_MAX}};
  for (const auto& [value, expected] : rows) {
    EXPECT_EQ(plant::SaturateToU32(value), expected) << value;
  }
}

TEST(Saturate, ToI32) {
  const std::pair<double, int32_t> rows[] = {{kNaN, 0},
                                             {-kInfinity, INT32_MIN},
                                             {-2147483649.0, INT32_MIN},
                                             {-2147483648.0, INT32_MIN},
                                             {-3.75, -3},
                                             {0.5, 0},
                                             {2147483647.0, INT32_MAX},
                                             {2147483648.0, INT32_MAX},
                                             {kInfinity, INT32_MAX}};
  for (const auto& [value, expected] : rows) {
    EXPECT_EQ(plant::SaturateToI32(value), expected) << value;
  }
}

TEST(Saturate, ClampToI32KeepsTheRangeEnds) {
  EXPECT_EQ(plant::ClampToI32(int64_t{INT32_MAX} + 1), INT32_MAX);
  EXPECT_EQ(plant::ClampToI32(int64_t{INT32_MIN} - 1), INT32_MIN);
  EXPECT_EQ(plant::ClampToI32(-7), -7);
}

}  // namespace
