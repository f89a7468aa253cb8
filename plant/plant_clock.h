// The plant's clock as stored: 32 bits of seconds since 1970-01-01 00:00 UTC. Read as unsigned,
// the field covers 1970 to 2106, so plants keep their time past January 2038.
#pragma once

#include <cstdint>

namespace plant {

/// The stored form of a time (seconds since 1970, from 1970 to 2106).
[[nodiscard]] constexpr int32_t StoreClock(int64_t secondsSince1970) {
  return static_cast<int32_t>(static_cast<uint32_t>(secondsSince1970));
}

/// Seconds since 1970 of a stored clock.
[[nodiscard]] constexpr int64_t ReadClock(int32_t stored) { return static_cast<uint32_t>(stored); }

/// The stored clock advanced by seconds, in unsigned arithmetic (no signed overflow in 2038).
[[nodiscard]] constexpr int32_t AdvanceClock(int32_t stored, int32_t seconds) {
  return static_cast<int32_t>(static_cast<uint32_t>(stored) + static_cast<uint32_t>(seconds));
}

}  // namespace plant
