// Choice of a monitor for a point.
#include "framework/ui/monitor_table.h"

#include <cstring>

namespace {

constexpr int64_t kFarthestCorner = 1000000;

// Squared distance, or kFarthestCorner when it could not win anyway. Differences of 32-bit
// coordinates reach 2^32, whose square no 64-bit integer holds; a difference of 1,000 or more
// already gives at least kFarthestCorner, so only smaller ones are squared (sum below 2^21).
int64_t SquaredDistance(int64_t x, int64_t y, int64_t cornerX, int64_t cornerY) {
  int64_t dx = x - cornerX;
  int64_t dy = y - cornerY;
  if (dx <= -1000 || dx >= 1000 || dy <= -1000 || dy >= 1000) return kFarthestCorner;
  return dx * dx + dy * dy;
}

}  // namespace

int32_t ChooseMonitor(const MonitorTable& table, int32_t x, int32_t y) {
  if (table.count <= 1) return 0;
  int32_t count = table.count < kMaxMonitors ? table.count : kMaxMonitors;
  for (int32_t i = 0; i < count; ++i) {
    if (RectContains(table.entries[i].monitor, x, y)) return i;
  }
  int64_t best = kFarthestCorner;
  int32_t chosen = 0;
  for (int32_t i = 0; i < count; ++i) {
    const ZrfRect& r = table.entries[i].monitor;
    const int64_t corners[4][2] = {
        {r.left, r.top}, {r.right, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};
    for (const auto& corner : corners) {
      int64_t distance = SquaredDistance(x, y, corner[0], corner[1]);
      if (distance < best) {
        best = distance;
        chosen = i;
      }
    }
  }
  return chosen;
}

void StripDeviceName(const char* device, char (&out)[32]) {
  while (*device == '\\' || *device == '.') ++device;
  size_t length = std::strlen(device);
  if (length > sizeof out - 1) length = sizeof out - 1;
  std::memcpy(out, device, length);
  out[length] = '\0';
}
