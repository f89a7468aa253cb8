// The UI style's table of command icons, kept sorted by command id, and its bisection search.
// Platform-free: icon handles are opaque here; the Win32 side loads and destroys them.
#pragma once

#include <cstdint>

#include "framework/base/zrf_array.h"

/// Flags value of an owner-drawn icon: no resource, only a size.
constexpr uint32_t kIconOwnerDrawn = 0x4000;

/// One command icon. In memory only, never stored.
struct IconEntry {
  uint16_t commandId;
  uint16_t resourceId;           ///< icon resource; unused when owner-drawn
  const int32_t* sizeReference;  ///< owner-drawn: width then height, owned by the caller
  uint32_t flags;
  void* normalIcon;  ///< HICON owned by the entry, null when none
  void* tintedIcon;  ///< HICON owned by the entry, null when none
  uint16_t width;
  uint16_t height;
};

/// Position of the entry for `commandId` in a table sorted by command id, or -1 (also for an
/// empty table). Bisection with midpoints trunc((lo + hi) * 0.5 + 0.5) down to two candidates.
int32_t FindIconPosition(const CZrfArray<IconEntry>& table, uint16_t commandId);

/// Where an entry for `commandId` goes so that the table stays sorted: before the first entry
/// whose id is not smaller. 0 for an empty table.
int32_t IconInsertPosition(const CZrfArray<IconEntry>& table, uint16_t commandId);
