// Installing, sorting and searching the string tables.
#include "framework/base/string_table.h"

#include <cstring>
#include <vector>

#include "framework/base/zrf_results.h"

CStringTable::CStringTable()
    : languageNames{"English", "Deutsch"},
      programTables{nullptr, nullptr},
      frameworkTables{gFrameworkStrings, nullptr},
      programCount(0),
      frameworkCount(0) {
  frameworkCount = SortTable(gFrameworkStrings, sizeof(StringRecord));
}

int32_t CStringTable::CurrentLanguage() const {
  if (languageSource_ == nullptr) return 0;
  const int32_t language = *languageSource_;
  // The settings file may hold anything; an unknown language must not index past the slots.
  return language >= 0 && language < kStringLanguages ? language : 0;
}

int32_t CStringTable::SetProgramTable(uint16_t language, StringRecord* table) {
  if (language >= kStringLanguages) return ZRF_ERR_RANGE;
  if (table == nullptr) table = programTables[0];
  if (programTables[language] != nullptr || table == nullptr) return ZRF_OK;
  programTables[language] = table;
  programCount = SortTable(table, sizeof(StringRecord));
  return ZRF_OK;
}

int32_t CStringTable::SortTable(void* records, size_t recordSize) {
  if (records == nullptr || recordSize < sizeof(uint16_t)) return 0;
  unsigned char* base = static_cast<unsigned char*>(records);
  auto idAt = [&](int32_t i) {
    uint16_t id;
    std::memcpy(&id, base + static_cast<size_t>(i) * recordSize, sizeof id);
    return id;
  };
  int32_t count = 0;
  while (idAt(count) != kStringTableEnd) ++count;

  std::vector<unsigned char> swap(recordSize);
  for (int32_t i = 0; i < count; ++i) {
    for (int32_t k = i + 1; k < count; ++k) {
      if (idAt(i) <= idAt(k)) continue;
      unsigned char* a = base + static_cast<size_t>(i) * recordSize;
      unsigned char* b = base + static_cast<size_t>(k) * recordSize;
      std::memcpy(swap.data(), a, recordSize);
      std::memcpy(a, b, recordSize);
      std::memcpy(b, swap.data(), recordSize);
    }
  }
  return count;
}

// Halving search over a sorted table: mid is the upper of two middle positions, the step runs at
// least once, and both remaining ends are checked. The terminator at table[count] keeps every read
// inside the table even for count 0 or 1.
StringRecord* CStringTable::Search(StringRecord* table, int32_t count, uint16_t id) {
  if (table == nullptr || count <= 0) return nullptr;
  int32_t lo = 0;
  int32_t hi = count - 1;
  do {
    const int32_t mid = (lo + hi + 1) / 2;
    if (id < table[mid].id) {
      hi = mid;
    } else {
      lo = mid;
    }
  } while (hi - lo >= 2);
  if (table[lo].id == id) return &table[lo];
  if (table[hi].id == id) return &table[hi];
  return nullptr;
}

const char* CStringTable::FindString(uint16_t id, int32_t piece) const {
  if (id == kStringTableEnd || piece < 0 || piece >= kStringPieces) return nullptr;
  const int32_t language = CurrentLanguage();
  StringRecord* record;
  if (id < kFirstFrameworkStringId) {
    StringRecord* table = programTables[language] ? programTables[language] : programTables[0];
    record = Search(table, programCount, id);
  } else {
    // Only a language-0 framework table exists; without this fallback every framework text
    // (button captions, start-up errors) would vanish while language 1 is current.
    StringRecord* table = frameworkTables[language] ? frameworkTables[language] : frameworkTables[0];
    record = Search(table, frameworkCount, id);
  }
  return record ? record->pieces[piece] : nullptr;
}

const char* CStringTable::Text(uint16_t id, int32_t piece) const {
  const char* text = FindString(id, piece);
  return text ? text : "";
}

void CStringTable::SetString(uint16_t id, int32_t piece, const char* text) {
  if (id == kStringTableEnd || piece < 0 || piece >= kStringPieces) return;
  StringRecord* record = Search(programTables[CurrentLanguage()], programCount, id);
  if (record != nullptr) record->pieces[piece] = text;
}
