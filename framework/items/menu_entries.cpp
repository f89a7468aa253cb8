#include "framework/items/menu_entries.h"

#include "framework/app/command_table.h"

bool AsksOwnerForIds(uintptr_t data) { return data == 0 || data == kMenuListFromOwner; }

int32_t MenuIdCount(const uint16_t* ids) {
  if (ids == nullptr) return 0;
  int32_t count = 0;
  while (count < kMaxMenuIds && ids[count] != kMenuListEnd) ++count;
  return count;
}

int32_t NextMenuEntry(std::span<const MenuEntryState> entries, int32_t start, int32_t direction, bool needVisible,
                      bool reachedWhenNone) {
  const auto count = static_cast<int32_t>(entries.size());
  if (count == 0) return -1;
  int32_t index = start;
  for (int32_t step = 0; step < count; ++step) {
    index += direction < 0 ? -1 : 1;
    if (index >= count) index = 0;
    if (index < 0) index = count - 1;
    const MenuEntryState& entry = entries[static_cast<size_t>(index)];
    if (entry.separator || (needVisible && !entry.visible)) continue;
    if (entry.enabled) return index;
  }
  return reachedWhenNone ? index : -1;
}
