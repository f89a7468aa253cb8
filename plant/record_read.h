// Internal to the plant engine: callers outside plant/ must not include this header.
// In-place reads of fixed-size records out of the plant record's bytes, for the renderer and the
// colour code; offsets must have been proved in range (the plant validator does that).
#pragma once

#include <cstdint>
#include <cstring>

namespace plant {

/// The T stored at record + offset, copied out so that no misaligned or aliased access happens.
/// Requires: offset + sizeof(T) lies inside the record.
template <typename T>
[[nodiscard]] inline T ReadRecordAt(const uint8_t* record, uint64_t offset) {
  T value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

}  // namespace plant
