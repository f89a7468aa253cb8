// Monitor choice on made-up layouts (Wine shows only one monitor).
#include "framework/ui/monitor_table.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

MonitorTable Layout(std::initializer_list<ZrfRect> monitors) {
  MonitorTable table{};
  for (const ZrfRect& rect : monitors) table.entries[table.count++].monitor = rect;
  return table;
}

TEST(ChooseMonitor, ContainingMonitorWins) {
  MonitorTable table = Layout({{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}});
  EXPECT_EQ(ChooseMonitor(table, 100, 100), 0);
  EXPECT_EQ(ChooseMonitor(table, 1920, 0), 1);  // right edge belongs to the next monitor
  EXPECT_EQ(ChooseMonitor(table, 3839, 1079), 1);
}

TEST(ChooseMonitor, GapPicksTheNearestCornerAndEarlierWinsTies) {
  // An 80-pixel gap between the monitors.
  MonitorTable table = Layout({{0, 0, 1920, 1080}, {2000, 0, 3920, 1080}});
  // (1990, 10): B's (2000, 0) is 10^2 + 10^2 = 200 away, A's (1920, 0) 70^2 + 10^2 = 5000.
  EXPECT_EQ(ChooseMonitor(table, 1990, 10), 1);
  // (1950, 500): A's (1920, 0) 30^2 + 500^2 = 250900, B's (2000, 0) 50^2 + 500^2 = 252500.
  EXPECT_EQ(ChooseMonitor(table, 1950, 500), 0);
  // (1960, 0): both 40^2 = 1600 away.
  EXPECT_EQ(ChooseMonitor(table, 1960, 0), 0);
  // Every corner 1000 pixels or more away: monitor 0.
  EXPECT_EQ(ChooseMonitor(table, 5000, 500), 0);
}

TEST(ChooseMonitor, MinimisedWindowPositionDoesNotOverflow) {
  // With 32-bit squares, monitor 1's corner (800, 1080) would wrap to the most negative
  // "distance" from (-32000, -32000) and win; every corner is far, so monitor 0 is right.
  MonitorTable table = Layout({{0, 0, 1920, 1080}, {800, 1080, 2720, 2160}});
  EXPECT_EQ(ChooseMonitor(table, -32000, -32000), 0);
  EXPECT_EQ(ChooseMonitor(table, INT32_MIN, INT32_MAX), 0);
}

TEST(StripDeviceName, DropsTheDevicePrefix) {
  char name[32];
  StripDeviceName("\\\\.\\DISPLAY1", name);
  EXPECT_STREQ(name, "DISPLAY1");
  StripDeviceName("\\\\.\\A_VERY_LONG_DEVICE_NAME_THAT_DOES_NOT_FIT", name);
  EXPECT_STREQ(name, "A_VERY_LONG_DEVICE_NAME_THAT_DO");
}

}  // namespace
