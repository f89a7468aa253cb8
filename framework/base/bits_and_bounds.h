// Two small helpers of the UI code: switching bits of a flags word and clamping a coordinate.
#pragma once

#include <cstdint>

/// Sets (`on`) or clears `bits` in `*flags`.
inline void SetFlagBits(uint32_t* flags, uint32_t bits, bool on) {
  *flags = on ? (*flags | bits) : (*flags & ~bits);
}

/// Clamps `*value` into [min(a, b), max(a, b)]. Returns -1 when it was raised, 1 when it was
/// lowered, 0 when it was already inside.
inline int UpdateBound(int32_t* value, int32_t a, int32_t b) {
  int32_t low = a < b ? a : b;
  int32_t high = a < b ? b : a;
  if (*value < low) {
    *value = low;
    return -1;
  }
  if (*value > high) {
    *value = high;
    return 1;
  }
  return 0;
}
