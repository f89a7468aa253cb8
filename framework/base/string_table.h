// CStringTable: every text the program shows, looked up by a 16-bit string id and a piece number.
// Ids below 0xF000 belong to the program's table, ids from 0xF000 to 0xFFFE to the framework's own.
// The tables are static data that outlive the table object; it only keeps pointers to them.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t kStringTableEnd = 0xFFFF;      ///< id of the record that ends a table
constexpr uint16_t kFirstFrameworkStringId = 0xF000;
constexpr int32_t kStringPieces = 16;
constexpr int32_t kStringLanguages = 2;           ///< 0 English, 1 Deutsch

/// One record of a string table; a piece without text is null.
struct StringRecord {
  uint16_t id;
  const char* pieces[kStringPieces];
};

/// The framework's built-in table for language 0, unsorted as it stands in the source and closed by
/// a record with id 0xFFFF. Writable because installing a table sorts it in place.
extern StringRecord gFrameworkStrings[];

class CStringTable {
 public:
  /// Sets the language names and installs (and sorts) the built-in framework table for language 0.
  CStringTable();
  CStringTable(const CStringTable&) = delete;
  CStringTable& operator=(const CStringTable&) = delete;

  /// Where the current language is read on every lookup (the settings record's language field).
  /// Null, or a value outside 0..1, means language 0.
  void SetLanguageSource(const int32_t* language) { languageSource_ = language; }

  /// Installs the program's table for a language, sorted in place, unless that slot is already set
  /// (then nothing changes and the result is still 0). A null table stands for the language-0
  /// program table. Returns 0, or ZRF_ERR_RANGE when language is above 1 (nothing changes).
  int32_t SetProgramTable(uint16_t language, StringRecord* table);

  /// The text of piece `piece` of record `id` in the current language, or null when the id, the
  /// piece or the table is absent. Framework ids fall back to the language-0 table.
  const char* FindString(uint16_t id, int32_t piece) const;

  /// Like FindString, but "" instead of null: for callers that format or measure the text.
  const char* Text(uint16_t id, int32_t piece) const;

  /// Points piece `piece` of program record `id` (current language) at text; the text is not
  /// copied and must outlive every lookup. Does nothing for id 0xFFFF, a piece outside 0..15,
  /// a missing program table or an unknown id.
  void SetString(uint16_t id, int32_t piece, const char* text);

  /// Sorts the records before the terminator ascending by id (exchange sort, whole records of
  /// recordSize bytes whose first two bytes are the id) and returns how many there are; 0 for null.
  static int32_t SortTable(void* records, size_t recordSize);

  const char* languageNames[kStringLanguages];
  StringRecord* programTables[kStringLanguages];
  StringRecord* frameworkTables[kStringLanguages];
  int32_t programCount;
  int32_t frameworkCount;

 private:
  int32_t CurrentLanguage() const;
  static StringRecord* Search(StringRecord* table, int32_t count, uint16_t id);

  const int32_t* languageSource_ = nullptr;
};
