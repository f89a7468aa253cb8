// Display-change comparison and rescale arithmetic.
#include "framework/ui/display_change.h"

#include <cstdint>
#include <limits>

namespace {

double ScaleOf(int32_t newSize, int32_t oldSize) {
  if (newSize <= 0 || oldSize <= 0) return 1.0;
  return static_cast<double>(newSize) / static_cast<double>(oldSize);
}

}  // namespace

DisplayChange CompareMonitorTables(const MonitorTable& oldTable, const MonitorTable& newTable) {
  DisplayChange change{};
  change.geometryChanged = oldTable.virtualX != newTable.virtualX || oldTable.virtualY != newTable.virtualY ||
                           oldTable.virtualWidth != newTable.virtualWidth ||
                           oldTable.virtualHeight != newTable.virtualHeight;
  const int32_t count = newTable.count < kMaxMonitors ? newTable.count : kMaxMonitors;
  for (int32_t i = 0; i < count; ++i) {
    if (newTable.entries[i].dpi != oldTable.entries[i].dpi) {
      change.newDpi = newTable.entries[i].dpi;
      break;
    }
  }
  return change;
}

int32_t RoundHalfAwayFromZero(double value) {
  const double rounded = value >= 0 ? value + 0.5 : value - 0.5;
  // Casting a double beyond the 32-bit range would be undefined.
  if (!(rounded < 2147483648.0)) return std::numeric_limits<int32_t>::max();
  if (!(rounded > -2147483649.0)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(rounded);
}

ZrfRect RescaleForDisplayChange(const MonitorTable& oldTable, const MonitorTable& newTable,
                                const ZrfRect& rect) {
  const ZrfRect& oldMonitor = oldTable.entries[ChooseMonitor(oldTable, rect.left, rect.top)].monitor;
  const ZrfRect& newMonitor = newTable.entries[ChooseMonitor(newTable, rect.left, rect.top)].monitor;
  const double sx = ScaleOf(newMonitor.Width(), oldMonitor.Width());
  const double sy = ScaleOf(newMonitor.Height(), oldMonitor.Height());
  const int32_t x = RoundHalfAwayFromZero(rect.left * sx);
  const int32_t y = RoundHalfAwayFromZero(rect.top * sy);
  const int32_t width = RoundHalfAwayFromZero(rect.right * sx - rect.left * sx);
  const int32_t height = RoundHalfAwayFromZero(rect.bottom * sy - rect.top * sy);
  // 64-bit sums, saturated: the edges of a huge window must not wrap around.
  const auto edge = [](int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
  };
  return {x, y, edge(int64_t{x} + width), edge(int64_t{y} + height)};
}
