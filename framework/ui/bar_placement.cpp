#include "framework/ui/bar_placement.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "framework/ui/bar_flags.h"

namespace zrf {

namespace {

template <typename T>
T Saturate(int32_t value) {
  return static_cast<T>(std::clamp<int32_t>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

void Put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value & 0xFF);
  at[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t Get16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

}  // namespace

void PackBarPlacement(const BarPlacement& p, std::span<uint8_t, kBarPlacementSize> bytes) {
  uint8_t* b = bytes.data();
  Put16(b + offsetof(BarPlacementRecord, x), static_cast<uint16_t>(Saturate<int16_t>(p.x)));
  Put16(b + offsetof(BarPlacementRecord, y), static_cast<uint16_t>(Saturate<int16_t>(p.y)));
  Put16(b + offsetof(BarPlacementRecord, length), Saturate<uint16_t>(p.length));
  Put16(b + offsetof(BarPlacementRecord, thickness), Saturate<uint16_t>(p.thickness));
  Put16(b + offsetof(BarPlacementRecord, windowIndex), p.windowIndex);
  Put16(b + offsetof(BarPlacementRecord, side), static_cast<uint16_t>(p.bayId & 0xFF));
  Put16(b + offsetof(BarPlacementRecord, band), p.band);
  Put16(b + offsetof(BarPlacementRecord, flags), p.flags);
}

bool UnpackBarPlacement(std::span<const uint8_t> bytes, StoredBarPlacement* out) {
  if (bytes.size() != kBarPlacementSize) return false;
  const uint8_t* b = bytes.data();
  BarPlacement p;
  p.x = static_cast<int16_t>(Get16(b + offsetof(BarPlacementRecord, x)));
  p.y = static_cast<int16_t>(Get16(b + offsetof(BarPlacementRecord, y)));
  p.length = Get16(b + offsetof(BarPlacementRecord, length));
  p.thickness = Get16(b + offsetof(BarPlacementRecord, thickness));
  p.windowIndex = Get16(b + offsetof(BarPlacementRecord, windowIndex));
  const uint16_t side = Get16(b + offsetof(BarPlacementRecord, side));
  p.band = std::min<uint16_t>(Get16(b + offsetof(BarPlacementRecord, band)), kMaxBands - 1);
  p.flags = Get16(b + offsetof(BarPlacementRecord, flags));
  out->docked = side < kBaySideCount;
  p.bayId = BayId(side & 0xFF, p.windowIndex);
  out->placement = p;
  return true;
}

}  // namespace zrf
