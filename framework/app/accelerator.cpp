// Matching a key press against the accelerator table.
#include "framework/app/accelerator.h"

namespace {

bool ModifiersDown(const AcceleratorEntry& entry, KeyModifiers down) {
  return (entry.shift == 0 || down.shift) && (entry.ctrl == 0 || down.ctrl) && (entry.alt == 0 || down.alt);
}

bool IsFrameworkWindow(const AcceleratorWindows& windows, uint16_t index) {
  for (int32_t i = 0; i < windows.count; ++i) {
    if (windows.indexes[i] == index) return true;
  }
  return false;
}

bool IsSendable(const CCommandTable& commands, uint16_t id) {
  const CommandRecord* record = commands.Find(id);
  return record == nullptr || (record->flags & (kCommandEnabled | kCommandAlwaysSends)) != 0;
}

}  // namespace

AcceleratorMatch MatchAccelerator(const CZrfArray<AcceleratorEntry>& table, uint16_t key, KeyModifiers down,
                                  const AcceleratorWindows& windows, const CCommandTable& commands) {
  for (int32_t i = 0; i < table.count; ++i) {
    const AcceleratorEntry& entry = *table.GetAt(i);
    if (entry.virtualKey != key || !ModifiersDown(entry, down)) continue;
    if (entry.windowIndex != kAnyWindow) {
      if (!IsFrameworkWindow(windows, entry.windowIndex)) break;
      if (windows.foregroundIndex != entry.windowIndex) continue;
    }
    return {true, IsSendable(commands, entry.commandId), entry.commandId};
  }
  return {false, false, 0};
}
