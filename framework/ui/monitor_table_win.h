// The process's monitor tables filled from the system, and the monitor for a point.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/ui/monitor_table.h"

constexpr int32_t kCurrentMonitors = 0;   ///< the table as the system is now
constexpr int32_t kPreviousMonitors = 1;  ///< the table before the last display change
constexpr int32_t kMonitorRect = 0;       ///< a monitor's whole rectangle
constexpr int32_t kWorkArea = 1;          ///< its work area

/// The two tables; GUI thread only. The control window copies the current table into the
/// previous one before it rebuilds after a display change.
extern MonitorTable gMonitorTables[2];

/// Rebuilds the current table and its virtual-screen values from the system. When no monitor is
/// enumerated the table gets one entry: the desktop window's rectangle, its DPI, primary.
void BuildMonitorTable();

/// Fills a table in place of the system, for a test program that shows display changes its
/// screen cannot make. Null (the default) reads the system.
using MonitorTableSource = void (*)(MonitorTable* table);
void SetMonitorTableSourceForTesting(MonitorTableSource source);

/// Rebuilds the current table, chooses the monitor for (x, y) in table `table` (ChooseMonitor)
/// and copies its rectangle of `kind` into `*rect` (when not null). Returns the monitor's index.
int32_t MonitorFromPointRect(int32_t x, int32_t y, RECT* rect, int32_t table, int32_t kind);
