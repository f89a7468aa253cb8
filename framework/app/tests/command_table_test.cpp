// The command table: halving search against a scan, sorted registration, the state rules, and the
// built-in commands as the start-up registers them.
#include "framework/app/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "framework/app/built_in_commands.h"
#include "framework/base/zrf_results.h"

namespace {

std::vector<uint16_t> Ids(const CCommandTable& table) {
  std::vector<uint16_t> ids;
  for (int32_t i = 0; i < table.Count(); ++i) ids.push_back(table.At(i).id);
  return ids;
}

TEST(CommandTable, HalvingSearchAgreesWithAScanForEverySize) {
  for (int32_t size = 0; size <= 64; ++size) {
    CCommandTable table;
    // Even ids 2, 4, ...: every odd id falls between two records or outside them.
    for (int32_t i = size; i >= 1; --i) ASSERT_GE(table.Register(uint16_t(2 * i), 1, 0, 0, 0, 0, 0, 0), 0);
    for (uint16_t id = 0; id <= 2 * size + 1; ++id) {
      const int32_t scanned = (id % 2 == 0 && id >= 2 && id <= 2 * size) ? id / 2 - 1 : -1;
      ASSERT_EQ(table.Index(id), scanned) << "size " << size << " id " << id;
    }
  }
}

TEST(CommandTable, RegistrationKeepsTheTableSorted) {
  CCommandTable table;
  table.Register(5, 1, 0, 0, 0, 0, 0, 0);
  table.Register(3, 1, 0, 0, 0, 0, 0, 0);
  table.Register(9, 1, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Ids(table), (std::vector<uint16_t>{3, 5, 9}));

  std::vector<uint16_t> ids(300);
  for (size_t i = 0; i < ids.size(); ++i) ids[i] = uint16_t(0xF000 + 7 * i);
  std::mt19937 random(7);
  std::shuffle(ids.begin(), ids.end(), random);
  CCommandTable shuffled;
  for (uint16_t id : ids) shuffled.Register(id, 1, 0, 0, 0, 0, 0, 0);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(Ids(shuffled), ids);
}

TEST(CommandTable, StateRules) {
  CCommandTable table;
  EXPECT_EQ(table.Index(0xF121), -1);  // an empty table has nothing, not entry -1
  CommandRecord record{};
  EXPECT_EQ(table.Get(0xF121, &record), ZRF_ERR_UNKNOWN_COMMAND);
  bool changed = true;
  EXPECT_EQ(table.SetChecked(0xF121, true, &changed), ZRF_ERR_UNKNOWN_COMMAND);
  EXPECT_FALSE(changed);

  table.Register(0xF121, kCommandButton, 0x80 | kCommandHot | kCommandPressed, kUseCommandId, 0x1234, 0, 0,
                 0);
  table.Register(0xF122, kCommandButton, 0x80, 0, kUseCommandId, 0, 0, 0);
  ASSERT_EQ(table.Get(0xF121, &record), ZRF_OK);
  EXPECT_EQ(record.flags, 0x1681u);
  EXPECT_EQ(record.iconId, 0xF121);
  EXPECT_EQ(uint16_t(record.stringId), 0x1234);

  EXPECT_EQ(table.Enable(0xF121, true, &changed), ZRF_OK);
  EXPECT_FALSE(changed);  // already enabled: nothing to redraw
  EXPECT_EQ(table.Enable(0xF121, false, &changed), ZRF_OK);
  EXPECT_TRUE(changed);
  EXPECT_EQ(table.Find(0xF121)->flags, 0x1080u);  // enabled, hot and pressed cleared together
  EXPECT_EQ(table.SetChecked(0xF121, true, &changed), ZRF_OK);
  EXPECT_TRUE(changed);
  EXPECT_EQ(table.SetChecked(0xF121, true, &changed), ZRF_OK);
  EXPECT_FALSE(changed);
  EXPECT_EQ(table.Find(0xF121)->flags, 0x1880u);

  // A replacement naming another id keeps the slot's id, so the table stays sorted and searchable.
  record.id = 0xF200;
  record.kind = kCommandMenu;
  EXPECT_EQ(table.Set(0xF121, record), ZRF_OK);
  EXPECT_EQ(Ids(table), (std::vector<uint16_t>{0xF121, 0xF122}));
  EXPECT_EQ(table.Find(0xF121)->kind, kCommandMenu);
  EXPECT_EQ(table.Set(0xF200, record), ZRF_ERR_UNKNOWN_COMMAND);
}

void* FailingAlloc(size_t) { return nullptr; }

TEST(CommandTable, RemovalKeepsTheOthersFindable) {
  CCommandTable table;
  for (uint16_t id : {5, 3, 9, 7}) table.Register(id, kCommandButton, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(table.Remove(5), ZRF_OK);
  EXPECT_EQ(table.Remove(5), ZRF_ERR_UNKNOWN_COMMAND);
  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Index(3), 0);
  EXPECT_EQ(table.Index(7), 1);
  EXPECT_EQ(table.Index(9), 2);
}

TEST(CommandTable, ATableThatCannotGrowRegistersNothing) {
  CCommandTable table;
  CZrfArrayBase::SetAllocatorForTesting(FailingAlloc, nullptr);
  const int32_t position = table.Register(1, 1, 0, 0, 0, 0, 0, 0);
  CZrfArrayBase::SetAllocatorForTesting(nullptr, nullptr);
  EXPECT_EQ(position, -1);
  EXPECT_EQ(table.Count(), 0);
}

struct IconLog {
  std::vector<std::pair<uint16_t, uint16_t>> icons;
  int32_t failAt = -1;
};

bool RecordIcon(void* context, uint16_t commandId, uint16_t resource) {
  auto* log = static_cast<IconLog*>(context);
  if (int32_t(log->icons.size()) == log->failAt) return false;
  log->icons.emplace_back(commandId, resource);
  return true;
}

std::vector<uint16_t> MenuList(const CommandRecord& record) {
  std::vector<uint16_t> ids;
  for (const auto* id = reinterpret_cast<const uint16_t*>(record.data); *id != kMenuListEnd; ++id)
    ids.push_back(*id);
  return ids;
}

TEST(BuiltInCommands, FortyOneCommandsAndThirteenIcons) {
  CCommandTable table;
  IconLog log;
  ASSERT_EQ(RegisterBuiltInCommands(table, RecordIcon, &log), ZRF_OK);
  ASSERT_EQ(table.Count(), 41);
  const std::vector<uint16_t> ids = Ids(table);
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  ASSERT_EQ(log.icons.size(), 13u);
  EXPECT_EQ(log.icons[0], std::make_pair(uint16_t(0xF110), uint16_t(50004)));
  EXPECT_EQ(log.icons[4], std::make_pair(uint16_t(0xF134), kDrawnCommandIcon));
  EXPECT_EQ(log.icons[12], std::make_pair(uint16_t(0xF16D), uint16_t(50008)));
  EXPECT_EQ(table.Index(0xF16C), -1);  // icons only

  const CommandRecord& onTop = *table.Find(0xF110);
  EXPECT_EQ(onTop.kind, kCommandButton);
  EXPECT_EQ(onTop.flags, 0x1181u);
  EXPECT_EQ(onTop.iconId, 0xF110);
  EXPECT_EQ(uint16_t(onTop.stringId), 0xF110);
  EXPECT_EQ(table.Find(0xF121)->flags, 0x1081u);
  EXPECT_EQ(table.Find(0xF121)->iconId, 0);
  EXPECT_EQ(table.Find(0xF000)->flags, 0x1005u);
  EXPECT_EQ(table.Find(0xF001)->flags, 0x1001001u);
  EXPECT_EQ(uint16_t(table.Find(0xF100)->stringId), 0xF002);
  EXPECT_EQ(table.Find(0xF100)->data, kMenuListFromOwner);
  EXPECT_EQ(MenuList(*table.Find(0xF150)),
            (std::vector<uint16_t>{0xF151, 0xF152, 0xF153, 0xF154, 0xF155, 0xF000, 0xF156}));
  const std::vector<uint16_t> transparency = MenuList(*table.Find(0xF160));
  EXPECT_EQ(transparency.size(), 13u);
  EXPECT_EQ(transparency[1], 0xF000);
  EXPECT_EQ(transparency.back(), 0xF16B);
  EXPECT_EQ(MenuList(*table.Find(0xF133)), (std::vector<uint16_t>{0xF134, 0xF135, 0xF136, 0xF137}));
}

TEST(BuiltInCommands, FailuresStopTheRegistration) {
  CCommandTable table;
  IconLog log;
  log.failAt = 2;  // the caption menu's icon
  EXPECT_EQ(RegisterBuiltInCommands(table, RecordIcon, &log), ZRF_ERR_ADD_ICON);
  EXPECT_EQ(table.Count(), 6);  // up to the "Show on Taskbar" button

  CCommandTable full;
  IconLog fine;
  CZrfArrayBase::SetAllocatorForTesting(FailingAlloc, nullptr);
  const int32_t result = RegisterBuiltInCommands(full, RecordIcon, &fine);
  CZrfArrayBase::SetAllocatorForTesting(nullptr, nullptr);
  EXPECT_EQ(result, ZRF_ERR_ADD_COMMAND);
}

}  // namespace
