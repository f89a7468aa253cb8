// Lookups in the framework's string table: the built-in texts, program tables, languages and the
// halving search over tables of every small size.
#include "framework/base/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "framework/base/zrf_results.h"

namespace {

// Every framework id with the number of its last non-null piece.
struct FrameworkId {
  uint16_t id;
  int32_t lastPiece;
};
const FrameworkId kFrameworkIds[] = {
    {0xF002, 3}, {0xF003, 1},  {0xF004, 0}, {0xF005, 2}, {0xF007, 1}, {0xF008, 2}, {0xF009, 5}, {0xF00A, 2},
    {0xF00B, 0}, {0xF00C, 11}, {0xF00F, 4}, {0xF010, 4}, {0xF200, 5}, {0xF105, 0}, {0xF110, 2}, {0xF111, 2},
    {0xF120, 2}, {0xF121, 2},  {0xF122, 2}, {0xF123, 2}, {0xF124, 2}, {0xF130, 2}, {0xF131, 2}, {0xF132, 2},
    {0xF133, 2}, {0xF134, 2},  {0xF135, 2}, {0xF136, 2}, {0xF137, 2}, {0xF140, 2}, {0xF141, 2}, {0xF142, 2},
    {0xF150, 2}, {0xF151, 2},  {0xF152, 2}, {0xF153, 2}, {0xF154, 2}, {0xF155, 2}, {0xF156, 2}, {0xF160, 2},
    {0xF161, 2}, {0xF162, 2},  {0xF163, 2}, {0xF164, 2}, {0xF165, 2}, {0xF166, 2}, {0xF167, 2}, {0xF168, 2},
    {0xF169, 2}, {0xF16A, 2},  {0xF16B, 2},
};

TEST(StringTable, BuiltInTableIsSortedAndComplete) {
  CStringTable table;
  EXPECT_EQ(table.frameworkCount, int32_t(sizeof kFrameworkIds / sizeof kFrameworkIds[0]));
  for (int32_t i = 1; i < table.frameworkCount; ++i)
    EXPECT_LT(table.frameworkTables[0][i - 1].id, table.frameworkTables[0][i].id);
  EXPECT_EQ(table.frameworkTables[0][table.frameworkCount].id, kStringTableEnd);
  EXPECT_EQ(table.frameworkTables[1], nullptr);
  EXPECT_STREQ(table.languageNames[0], "English");
  EXPECT_STREQ(table.languageNames[1], "Deutsch");
}

TEST(StringTable, EveryFrameworkIdResolvesInBothLanguages) {
  CStringTable table;
  int32_t language = 0;
  table.SetLanguageSource(&language);
  for (language = 0; language < 2; ++language) {
    for (const FrameworkId& f : kFrameworkIds) {
      SCOPED_TRACE(testing::Message() << "id 0x" << std::hex << f.id << " language " << language);
      ASSERT_NE(table.FindString(f.id, 0), nullptr);
      ASSERT_NE(table.FindString(f.id, f.lastPiece), nullptr);
      EXPECT_EQ(table.FindString(f.id, f.lastPiece + 1), nullptr);
    }
  }
}

TEST(StringTable, QuotedTextsAndPieces) {
  CStringTable table;
  EXPECT_STREQ(table.FindString(0xF200, 0), "OK");
  EXPECT_STREQ(table.FindString(0xF200, 4), "Yes");
  EXPECT_STREQ(table.FindString(0xF200, 5), "No");
  EXPECT_STREQ(table.FindString(0xF151, 0), "Bar Positions");
  EXPECT_STREQ(table.FindString(0xF151, 2), "Locks the positions of the stoolbars");
  EXPECT_STREQ(table.FindString(0xF16A, 0), "90%");
  EXPECT_STREQ(table.FindString(0xF16A, 2), "90% transparency");
  EXPECT_STREQ(table.FindString(0xF003, 0), "Error initializing the application!\nError code 0x%08X.");
  EXPECT_STREQ(table.FindString(0xF003, 1), "Ag");
  EXPECT_STREQ(table.FindString(0xF00C, 11), "Update Check");
  EXPECT_EQ(table.FindString(0xF00C, 7), nullptr);
  EXPECT_STREQ(table.FindString(0xF002, 0), " * ");
  EXPECT_EQ(table.FindString(0xF002, 1), nullptr);
  EXPECT_STREQ(table.FindString(0xF002, 3), "Additional Items");
  EXPECT_STREQ(table.FindString(0xF105, 0), "");
  EXPECT_STREQ(table.FindString(0xF008, 2), "Quit %s");
  EXPECT_STREQ(table.FindString(0xF005, 0), "%s v%d.%d.%d");
  EXPECT_STRNE(table.FindString(0xF005, 2), "");
}

TEST(StringTable, InvalidIdsPiecesAndLanguages) {
  CStringTable table;
  EXPECT_EQ(table.FindString(0xFFFF, 0), nullptr);
  EXPECT_EQ(table.FindString(0xF200, 16), nullptr);
  EXPECT_EQ(table.FindString(0xF200, -1), nullptr);
  EXPECT_EQ(table.FindString(0xF001, 0), nullptr);
  EXPECT_EQ(table.FindString(0xFFFE, 0), nullptr);
  EXPECT_EQ(table.FindString(0, 0), nullptr);  // no program table yet
  EXPECT_STREQ(table.Text(0xF00C, 7), "");
  EXPECT_STREQ(table.Text(0x1234, 0), "");

  // A settings file may hold any language number; it reads as language 0.
  for (int32_t language : {2, -1, 1000, INT32_MIN}) {
    table.SetLanguageSource(&language);
    EXPECT_STREQ(table.FindString(0xF200, 1), "Cancel") << language;
  }
}

StringRecord gProgram[] = {
    {50, {"Could not start the 64 bit application!"}},
    {0, {"Verdelo"}},
    {30, {"Corrupt or missing plant file: %s\nError Code: %d", "(No plant file)"}},
    {10, {"Are you sure you want to restart the plant?"}},
    {kStringTableEnd, {}},
};
StringRecord gProgramGerman[] = {
    {0, {"Verdelo"}},      {10, {"Soll die Pflanze neu gestartet werden?"}}, {30, {"x", "y"}}, {50, {"z"}},
    {kStringTableEnd, {}},
};
StringRecord gOther[] = {{0, {"Other"}}, {kStringTableEnd, {}}};

TEST(StringTable, ProgramTablesAndLanguages) {
  CStringTable table;
  int32_t language = 0;
  table.SetLanguageSource(&language);
  EXPECT_EQ(table.SetProgramTable(2, gProgram), ZRF_ERR_RANGE);
  EXPECT_EQ(table.programTables[0], nullptr);
  EXPECT_EQ(table.SetProgramTable(0, gProgram), ZRF_OK);
  EXPECT_EQ(table.programCount, 4);
  EXPECT_EQ(gProgram[0].id, 0);  // sorted in place
  EXPECT_STREQ(table.FindString(0, 0), "Verdelo");
  EXPECT_STREQ(table.FindString(30, 1), "(No plant file)");
  EXPECT_STREQ(table.FindString(50, 0), "Could not start the 64 bit application!");
  EXPECT_EQ(table.FindString(20, 0), nullptr);
  EXPECT_EQ(table.FindString(10, 1), nullptr);

  // The first table of a slot stays.
  EXPECT_EQ(table.SetProgramTable(0, gOther), ZRF_OK);
  EXPECT_STREQ(table.FindString(0, 0), "Verdelo");

  // Language 1 with only language-0 tables: program ids come from language 0.
  language = 1;
  EXPECT_STREQ(table.FindString(10, 0), "Are you sure you want to restart the plant?");
  EXPECT_STREQ(table.FindString(0xF200, 0), "OK");
  EXPECT_EQ(table.SetProgramTable(1, gProgramGerman), ZRF_OK);
  EXPECT_STREQ(table.FindString(10, 0), "Soll die Pflanze neu gestartet werden?");
  language = 0;
  EXPECT_STREQ(table.FindString(10, 0), "Are you sure you want to restart the plant?");
}

TEST(StringTable, NullTableStandsForLanguageZero) {
  CStringTable table;
  EXPECT_EQ(table.SetProgramTable(1, nullptr), ZRF_OK);
  EXPECT_EQ(table.programTables[1], nullptr);  // nothing to stand for yet
  ASSERT_EQ(table.SetProgramTable(0, gProgram), ZRF_OK);
  EXPECT_EQ(table.SetProgramTable(1, nullptr), ZRF_OK);
  EXPECT_EQ(table.programTables[1], gProgram);
}

TEST(StringTable, SetStringRepointsAProgramPiece) {
  CStringTable table;
  StringRecord records[] = {{7, {"old"}}, {3, {"three"}}, {kStringTableEnd, {}}};
  table.SetProgramTable(0, records);
  static const char kStatus[] = "Saving...";
  table.SetString(7, 2, kStatus);
  EXPECT_EQ(table.FindString(7, 2), kStatus);
  table.SetString(8, 0, kStatus);   // unknown id
  table.SetString(7, 16, kStatus);  // bad piece
  table.SetString(0xFFFF, 0, kStatus);
  EXPECT_STREQ(table.FindString(7, 0), "old");
  EXPECT_EQ(table.FindString(8, 0), nullptr);
}

TEST(StringTable, SortTableCountsAndHandlesNull) {
  EXPECT_EQ(CStringTable::SortTable(nullptr, sizeof(StringRecord)), 0);
  StringRecord empty[] = {{kStringTableEnd, {}}};
  EXPECT_EQ(CStringTable::SortTable(empty, sizeof(StringRecord)), 0);
  StringRecord records[] = {{9, {"9"}}, {0xFFFE, {"e"}}, {1, {"1"}}, {kStringTableEnd, {}}};
  EXPECT_EQ(CStringTable::SortTable(records, sizeof(StringRecord)), 3);
  EXPECT_EQ(records[0].id, 1);
  EXPECT_STREQ(records[0].pieces[0], "1");
  EXPECT_EQ(records[2].id, 0xFFFE);
  EXPECT_EQ(records[3].id, kStringTableEnd);
}

// The halving search against a plain scan, for every table size from 0 to 40 with random ids.
TEST(StringTable, SearchFindsExactlyThePresentIds) {
  std::mt19937 random(12345);
  for (int size = 0; size <= 40; ++size) {
    for (int round = 0; round < 20; ++round) {
      std::vector<uint16_t> ids;
      while (ids.size() < size_t(size)) {
        const uint16_t id = uint16_t(random() % 200);
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
      }
      std::vector<StringRecord> records(size + 1);
      static const char kHit[] = "hit";
      for (int i = 0; i < size; ++i) records[i] = {ids[i], {kHit}};
      records[size] = {kStringTableEnd, {}};
      CStringTable table;
      table.SetProgramTable(0, records.data());
      for (uint16_t id = 0; id < 201; ++id) {
        const bool present = std::find(ids.begin(), ids.end(), id) != ids.end();
        EXPECT_EQ(table.FindString(id, 0) != nullptr, present) << "size " << size << " id " << id;
      }
    }
  }
}

}  // namespace
