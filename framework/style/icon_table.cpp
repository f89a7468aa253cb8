// Bisection over the sorted icon table.
#include "framework/style/icon_table.h"

namespace {

uint16_t IdAt(const CZrfArray<IconEntry>& table, int32_t position) {
  return table.GetAt(position)->commandId;
}

// Requires: table.count >= 1.
// Ensures: lo <= hi, hi - lo <= 1, and the entries before lo are smaller than commandId and the
// entries after hi are larger (for a sorted table).
void Narrow(const CZrfArray<IconEntry>& table, uint16_t commandId, int32_t& lo, int32_t& hi) {
  lo = 0;
  hi = table.count - 1;
  while (hi - lo > 1) {
    const int32_t mid = static_cast<int32_t>((lo + hi) * 0.5 + 0.5);
    const uint16_t id = IdAt(table, mid);
    if (id == commandId) {
      lo = hi = mid;
      return;
    }
    if (id < commandId) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
}

}  // namespace

int32_t FindIconPosition(const CZrfArray<IconEntry>& table, uint16_t commandId) {
  if (table.count <= 0) return -1;
  int32_t lo = 0, hi = 0;
  Narrow(table, commandId, lo, hi);
  if (IdAt(table, lo) == commandId) return lo;
  if (IdAt(table, hi) == commandId) return hi;
  return -1;
}

int32_t IconInsertPosition(const CZrfArray<IconEntry>& table, uint16_t commandId) {
  if (table.count <= 0) return 0;
  int32_t lo = 0, hi = 0;
  Narrow(table, commandId, lo, hi);
  if (commandId <= IdAt(table, lo)) return lo;
  if (commandId <= IdAt(table, hi)) return hi;
  return hi + 1;
}
