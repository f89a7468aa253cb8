// Filling the monitor tables from the system.
#include "framework/ui/monitor_table_win.h"

#include "framework/base/zrf_rect_win.h"
#include "framework/ui/dpi_functions_win.h"

namespace {

BOOL CALLBACK MonitorEnumProc(HMONITOR monitor, HDC, LPRECT monitorRect, LPARAM data) {
  auto* table = reinterpret_cast<MonitorTable*>(data);
  if (table->count >= kMaxMonitors || monitor == nullptr || monitorRect == nullptr) return FALSE;
  MonitorEntry& entry = table->entries[table->count];
  entry = {};
  entry.monitor = ToZrfRect(*monitorRect);
  entry.work = entry.monitor;
  entry.dpi = DpiForRect(*monitorRect, monitor);
  MONITORINFOEXA info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    entry.work = ToZrfRect(info.rcWork);
    entry.flags = info.dwFlags;
    StripDeviceName(info.szDevice, entry.device);
  }
  ++table->count;
  return TRUE;
}

MonitorTableSource gTableSource = nullptr;

}  // namespace

MonitorTable gMonitorTables[2] = {};

void SetMonitorTableSourceForTesting(MonitorTableSource source) { gTableSource = source; }

void BuildMonitorTable() {
  MonitorTable& table = gMonitorTables[kCurrentMonitors];
  table = {};
  if (gTableSource != nullptr) {
    gTableSource(&table);
    return;
  }
  EnumDisplayMonitors(nullptr, nullptr, MonitorEnumProc, reinterpret_cast<LPARAM>(&table));
  if (table.count == 0) {
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    table.entries[0].monitor = ToZrfRect(desktop);
    table.entries[0].work = table.entries[0].monitor;
    table.entries[0].dpi = DpiForWindow(GetDesktopWindow());
    table.entries[0].flags = kMonitorPrimary;
    table.count = 1;
  }
  table.virtualX = GetSystemMetrics(SM_XVIRTUALSCREEN);
  table.virtualY = GetSystemMetrics(SM_YVIRTUALSCREEN);
  table.virtualWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  table.virtualHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  table.virtualRect = {table.virtualX, table.virtualY, table.virtualX + table.virtualWidth,
                       table.virtualY + table.virtualHeight};
}

int32_t MonitorFromPointRect(int32_t x, int32_t y, RECT* rect, int32_t table, int32_t kind) {
  BuildMonitorTable();
  const MonitorTable& chosenTable = gMonitorTables[table == kPreviousMonitors ? 1 : 0];
  int32_t index = ChooseMonitor(chosenTable, x, y);
  if (rect != nullptr) {
    const ZrfRect& source =
        kind == kWorkArea ? chosenTable.entries[index].work : chosenTable.entries[index].monitor;
    *rect = {source.left, source.top, source.right, source.bottom};
  }
  return index;
}
