// Random bytes from the operating system, for the zip cipher headers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zip {

/// Fills size bytes from the system's cryptographic random source; false when it fails.
[[nodiscard]] bool FillRandom(uint8_t* bytes, size_t size);

}  // namespace zip
