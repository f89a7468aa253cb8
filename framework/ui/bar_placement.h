// The placement record a bar saves in the data file "(ZRF)Bar<bar id>": where it stands, how big
// it is, in which window, bay side and band it docks, and its flags. Free of the window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zrf {

/// The data file "(ZRF)Bar" + bar id; 16 bytes, little-endian, no header.
///
///   off  size  field
///     0     2  x: position along the bay when docked, screen x when floating (i16)
///     2     2  y: across the bay when docked, screen y when floating (i16)
///     4     2  length (u16)
///     6     2  thickness (u16)
///     8     2  window index (u16)
///    10     2  dock side: the low byte of the bay id, 0-3 (u16)
///    12     2  band (u16)
///    14     2  bar flags (u16)
struct BarPlacementRecord {
  int16_t x;
  int16_t y;
  uint16_t length;
  uint16_t thickness;
  uint16_t windowIndex;
  uint16_t side;
  uint16_t band;
  uint16_t flags;
};
static_assert(sizeof(BarPlacementRecord) == 16);
static_assert(offsetof(BarPlacementRecord, x) == 0);
static_assert(offsetof(BarPlacementRecord, y) == 2);
static_assert(offsetof(BarPlacementRecord, length) == 4);
static_assert(offsetof(BarPlacementRecord, thickness) == 6);
static_assert(offsetof(BarPlacementRecord, windowIndex) == 8);
static_assert(offsetof(BarPlacementRecord, side) == 10);
static_assert(offsetof(BarPlacementRecord, band) == 12);
static_assert(offsetof(BarPlacementRecord, flags) == 14);

constexpr size_t kBarPlacementSize = sizeof(BarPlacementRecord);
constexpr char kBarPlacementFileName[] = "(ZRF)Bar";

/// A bar's placement as the bar keeps it.
struct BarPlacement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t length = 0;
  int32_t thickness = 0;
  uint16_t windowIndex = 0;
  uint16_t bayId = 0;  ///< side + window index x 256; only its low byte is stored
  uint16_t band = 0;
  uint16_t flags = 0;
  bool operator==(const BarPlacement&) const = default;
};

/// The record's 16 bytes for a placement; positions and sizes beyond 16 bits are held at the
/// nearest value the record can store.
void PackBarPlacement(const BarPlacement& placement, std::span<uint8_t, kBarPlacementSize> bytes);

/// What a stored record says.
struct StoredBarPlacement {
  BarPlacement placement;  ///< bayId rebuilt from the side and the window index
  bool docked;             ///< the side is 0-3; any other value was a floating bar's
};

/// Reads a record. False for a size other than 16 bytes. A band past the last of a bay's 16
/// bands reads as the last band.
bool UnpackBarPlacement(std::span<const uint8_t> bytes, StoredBarPlacement* out);

}  // namespace zrf
