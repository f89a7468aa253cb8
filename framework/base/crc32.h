// CRC-32 (the reflected 0xEDB88320 polynomial of zip and PNG) over bytes and texts. The product
// name's CRC keys the messages between running instances, so the value must match other builds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

/// Builds the 256-entry lookup table of the reflected CRC-32. Evaluated at compile time into
/// kCrc32Table; exposed so a test can compare it with an independent implementation.
constexpr std::array<uint32_t, 256> BuildCrc32Table() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
    table[n] = c;
  }
  return table;
}

/// The table itself: immutable, so any thread may use it without the start-up having run.
inline constexpr std::array<uint32_t, 256> kCrc32Table = BuildCrc32Table();

/// Standard CRC-32 of `length` bytes at `data` (start 0xFFFFFFFF, final complement).
/// A length of -1 takes `data` as a NUL-terminated text. A null `data` or a length of 0 gives 0.
uint32_t Crc32(const void* data, ptrdiff_t length);
