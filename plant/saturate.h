// Conversions of doubles read from a plant file into counts and indices. A plain cast of a NaN,
// negative or out-of-range double to an unsigned integer is undefined behaviour in C++, and plant
// files and curve results can hold any double, so every such conversion goes through here.
#pragma once

#include <cstdint>

namespace plant {

/// trunc(value) as a uint32: NaN and values below 1 give 0, values of 2^32 or more give
/// UINT32_MAX. For every in-range value the result equals the plain conversion.
[[nodiscard]] constexpr uint32_t SaturateToU32(double value) {
  if (!(value >= 1.0)) {  // also catches NaN
    return 0;
  }
  if (value >= 4294967296.0) {
    return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

/// trunc(value) as an int32: NaN gives 0, values beyond the range give INT32_MIN or INT32_MAX.
[[nodiscard]] constexpr int32_t SaturateToI32(double value) {
  if (value != value) {
    return 0;
  }
  if (value >= 2147483648.0) {
    return INT32_MAX;
  }
  if (value <= -2147483649.0) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(value);
}

/// value clamped to the int32 range, for coordinates worked out in 64 bits.
[[nodiscard]] constexpr int32_t ClampToI32(int64_t value) {
  return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

}  // namespace plant
