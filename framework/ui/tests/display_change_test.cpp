// Display changes: what changed between two monitor tables, the rescale with its rounding half
// away from zero, and the edge arithmetic of the borderless resize.
#include "framework/ui/display_change.h"

#include <gtest/gtest.h>

#include "framework/ui/border_resize.h"

namespace {

MonitorTable OneMonitor(int32_t width, int32_t height, int32_t dpi) {
  MonitorTable table{};
  table.count = 1;
  table.entries[0].monitor = {0, 0, width, height};
  table.entries[0].work = table.entries[0].monitor;
  table.entries[0].dpi = dpi;
  table.virtualWidth = width;
  table.virtualHeight = height;
  table.virtualRect = table.entries[0].monitor;
  return table;
}

TEST(DisplayChange, RescaleScalesAbsoluteCoordinates) {
  const MonitorTable before = OneMonitor(1920, 1080, 96);
  const MonitorTable after = OneMonitor(3840, 2160, 96);
  EXPECT_EQ(RescaleForDisplayChange(before, after, {100, 50, 900, 650}), (ZrfRect{200, 100, 1800, 1300}));
  // Shrinking by a third: 100 * 2/3 = 66.7 rounds to 67, the width 800 * 2/3 = 533.3 to 533.
  EXPECT_EQ(RescaleForDisplayChange(before, OneMonitor(1280, 720, 96), {100, 50, 900, 650}),
            (ZrfRect{67, 33, 600, 433}));
}

TEST(DisplayChange, RoundsHalfAwayFromZero) {
  // sx = 1.5: a left edge at -3 gives -4.5, which goes to -5; +3 gives 4.5 and 5.
  const MonitorTable before = OneMonitor(1000, 1000, 96);
  const MonitorTable after = OneMonitor(1500, 1500, 96);
  EXPECT_EQ(RescaleForDisplayChange(before, after, {-3, 3, 7, 13}), (ZrfRect{-5, 5, 10, 20}));
  EXPECT_EQ(RoundHalfAwayFromZero(-0.5), -1);
  EXPECT_EQ(RoundHalfAwayFromZero(0.49), 0);
  EXPECT_EQ(RoundHalfAwayFromZero(1e12), INT32_MAX);
}

TEST(DisplayChange, GeometryOrDpi) {
  MonitorTable before = OneMonitor(1920, 1080, 96);
  before.count = 2;
  before.entries[1] = {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}, 96, 0, ""};
  MonitorTable dpiOnly = before;
  dpiOnly.entries[1].dpi = 144;
  DisplayChange change = CompareMonitorTables(before, dpiOnly);
  EXPECT_FALSE(change.geometryChanged);
  EXPECT_EQ(change.newDpi, 144);
  change = CompareMonitorTables(before, OneMonitor(1280, 1024, 96));
  EXPECT_TRUE(change.geometryChanged);
  EXPECT_EQ(change.newDpi, 0);
  EXPECT_EQ(CompareMonitorTables(before, before).newDpi, 0);
}

TEST(BorderResize, ZonesAndEdges) {
  EXPECT_EQ(ResizeZoneAt(4, 4, 200, 100), kZoneTopLeft);
  EXPECT_EQ(ResizeZoneAt(5, 50, 200, 100), kZoneNone);
  EXPECT_EQ(ResizeZoneAt(195, 50, 200, 100), kZoneRight);
  EXPECT_EQ(ResizeZoneAt(100, 95, 200, 100), kZoneBottom);
  EXPECT_EQ(ResizeZoneAt(0, 99, 200, 100), kZoneBottomLeft);
  // Grabbed 2 pixels inside the bottom-right corner, dragged to (420, 330): the corner follows.
  const ZrfRect window{100, 100, 300, 200};
  const ResizeGrip grip = GripOf(kZoneBottomRight, window, 298, 198);
  EXPECT_EQ(ResizedRect(window, grip, 420, 330), (ZrfRect{100, 100, 422, 332}));
  const ResizeGrip left = GripOf(kZoneLeft, window, 101, 150);
  EXPECT_EQ(ResizedRect(window, left, 51, 10), (ZrfRect{50, 100, 300, 200}));
}

}  // namespace
