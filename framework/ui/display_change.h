// What a change of the displays means for the framework windows: whether the virtual screen
// changed or only a monitor's DPI, and where a window goes when the screen is rescaled.
// Platform-free; the control window applies it (control_window_win.cpp).
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"
#include "framework/ui/monitor_table.h"

/// The difference between the monitor tables before and after a display change.
struct DisplayChange {
  bool geometryChanged;  ///< the virtual screen's origin or size differs
  int32_t newDpi;        ///< the new DPI of the first monitor whose DPI changed; 0 when none did
};

DisplayChange CompareMonitorTables(const MonitorTable& oldTable, const MonitorTable& newTable);

/// Rounds half away from zero (add 0.5 to a non-negative value, subtract it from a negative one,
/// then cut the fraction), saturating at the ends of the 32-bit range.
int32_t RoundHalfAwayFromZero(double value);

/// Where window rectangle `rect` goes: the monitor at its top-left corner (ChooseMonitor) is
/// taken in both tables, and the window's absolute screen coordinates are scaled by the new
/// monitor's width and height over the old one's. A monitor without width or height scales by 1.
ZrfRect RescaleForDisplayChange(const MonitorTable& oldTable, const MonitorTable& newTable,
                                const ZrfRect& rect);
