// The command table's halving search and its state operations.
#include "framework/app/command_table.h"

#include <cstring>

#include "framework/base/zrf_results.h"

namespace {

// The halving of the search: probes int((lo + hi) * 0.5 + 0.5), which for the non-negative
// positions here is (lo + hi + 1) / 2, moving hi to the probe when `id` lies below it and lo
// otherwise, until hi - lo < 2 or, with `stopAtMatch`, the probe holds `id`.
// Requires: count >= 1. Ensures: 0 <= lo <= hi < count; returns the matching probe or -1.
int32_t Halve(const CZrfArray<CommandRecord>& records, uint16_t id, bool stopAtMatch, int32_t* lo,
              int32_t* hi) {
  *lo = 0;
  *hi = records.count - 1;
  while (*hi - *lo >= 2) {
    const int32_t probe = (*lo + *hi + 1) / 2;
    const uint16_t probeId = records.GetAt(probe)->id;
    if (stopAtMatch && probeId == id) return probe;
    if (id < probeId) {
      *hi = probe;
    } else {
      *lo = probe;
    }
  }
  return -1;
}

}  // namespace

int32_t CCommandTable::Index(uint16_t id) const {
  // An empty table has no lo or hi to check: reading entry -1 there would be out of bounds.
  if (records_.count == 0) return -1;
  int32_t lo = 0;
  int32_t hi = 0;
  const int32_t match = Halve(records_, id, true, &lo, &hi);
  if (match >= 0) return match;
  if (records_.GetAt(lo)->id == id) return lo;
  if (records_.GetAt(hi)->id == id) return hi;
  return -1;
}

int32_t CCommandTable::Register(uint16_t id, uint16_t kind, uint32_t flags, uint16_t iconId,
                                uint16_t stringId, uintptr_t data, uint32_t valueA, uint32_t valueB) {
  CommandRecord record{};
  record.id = id;
  record.kind = kind;
  record.valueA = valueA;
  record.valueB = valueB;
  record.flags = flags | kCommandRegistered | kCommandEnabled;
  record.iconId = iconId == kUseCommandId ? id : iconId;
  record.stringId = static_cast<int16_t>(stringId == kUseCommandId ? id : stringId);
  record.data = data;

  int32_t position = 0;
  if (records_.count > 0) {
    int32_t lo = 0;
    int32_t hi = 0;
    Halve(records_, id, false, &lo, &hi);
    if (id < records_.GetAt(lo)->id) {
      position = lo;
    } else if (id > records_.GetAt(hi)->id) {
      position = hi + 1;
    } else {
      position = hi;
    }
  }
  return records_.Insert(&record, position, 1);
}

const CommandRecord* CCommandTable::Find(uint16_t id) const {
  const int32_t position = Index(id);
  return position < 0 ? nullptr : records_.GetAt(position);
}

int32_t CCommandTable::Get(uint16_t id, CommandRecord* out) const {
  const CommandRecord* record = Find(id);
  if (record == nullptr) return ZRF_ERR_UNKNOWN_COMMAND;
  std::memcpy(out, record, sizeof *record);
  return ZRF_OK;
}

int32_t CCommandTable::Set(uint16_t id, const CommandRecord& record) {
  const int32_t position = Index(id);
  if (position < 0) return ZRF_ERR_UNKNOWN_COMMAND;
  CommandRecord* slot = records_.GetAt(position);
  std::memcpy(slot, &record, sizeof record);
  // Another id here would break the order that the halving search relies on.
  slot->id = id;
  return ZRF_OK;
}

int32_t CCommandTable::Remove(uint16_t id) {
  const int32_t position = Index(id);
  if (position < 0) return ZRF_ERR_UNKNOWN_COMMAND;
  std::memmove(records_.GetAt(position), records_.GetAt(position + 1),
               sizeof(CommandRecord) * static_cast<size_t>(records_.count - position - 1));
  records_.count -= 1;
  return ZRF_OK;
}

int32_t CCommandTable::UpdateFlags(uint16_t id, uint32_t set, uint32_t clear, bool* changed) {
  *changed = false;
  const int32_t position = Index(id);
  if (position < 0) return ZRF_ERR_UNKNOWN_COMMAND;
  CommandRecord* record = records_.GetAt(position);
  const uint32_t flags = (record->flags & ~clear) | set;
  *changed = flags != record->flags;
  record->flags = flags;
  return ZRF_OK;
}

int32_t CCommandTable::SetChecked(uint16_t id, bool checked, bool* changed) {
  return checked ? UpdateFlags(id, kCommandChecked, 0, changed)
                 : UpdateFlags(id, 0, kCommandChecked, changed);
}

int32_t CCommandTable::Enable(uint16_t id, bool enabled, bool* changed) {
  if (enabled) return UpdateFlags(id, kCommandEnabled, 0, changed);
  return UpdateFlags(id, 0, kCommandEnabled | kCommandHot | kCommandPressed, changed);
}
