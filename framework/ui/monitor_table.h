// The process's table of monitors and the choice of a monitor for a point. The table is filled
// from the system by BuildMonitorTable (monitor_table_win.cpp); the choice works on any table, so
// layouts that Wine cannot show (several monitors, gaps between them) are checked directly.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

constexpr int32_t kMaxMonitors = 16;
constexpr uint32_t kMonitorPrimary = 0x1;  ///< MONITORINFOF_PRIMARY

struct MonitorEntry {
  ZrfRect monitor;  ///< the monitor's rectangle in virtual-screen coordinates
  ZrfRect work;     ///< its work area
  int32_t dpi;      ///< effective DPI of the monitor
  uint32_t flags;   ///< MONITORINFO flags; kMonitorPrimary for the primary monitor
  char device[32];  ///< device name without its leading "\\.\", NUL-terminated
};

struct MonitorTable {
  MonitorEntry entries[kMaxMonitors];
  int32_t count;
  int32_t virtualX;  ///< SM_XVIRTUALSCREEN
  int32_t virtualY;  ///< SM_YVIRTUALSCREEN
  int32_t virtualWidth;
  int32_t virtualHeight;
  ZrfRect virtualRect;
};

/// Index of the monitor for the point (x, y): with one monitor or none, 0; else the first monitor
/// whose rectangle contains the point; else the monitor with a corner nearest to the point
/// (squared distance, below 1,000,000 and strictly smaller than an earlier one's, so an earlier
/// monitor wins a tie and monitor 0 is used when every corner is 1,000 pixels away or more).
/// Distances are 64-bit: a minimised window at (-32000, -32000) must not overflow them.
int32_t ChooseMonitor(const MonitorTable& table, int32_t x, int32_t y);

/// Copies a display device name without its leading backslashes and dots ("\\.\DISPLAY1" gives
/// "DISPLAY1") into `out`, cut to 31 characters and NUL-terminated.
void StripDeviceName(const char* device, char (&out)[32]);
