// The hook library against the test desktop under Wine when the shared block names the wrong
// windows, or a message comes from a program that is no plant: the desktop's icon view, the
// plants' painting and the next registration must come through each. After every case the list
// view still reports its icons where they were, every registered plant gets Paint and paints into
// the list view, and a new plant registers.
//
//   ostrel_damaged_block_tests <test desktop exe> <test plant exe> <folder of Ostrel64.dll>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hooklib/shared_block.h"
#include "tools/testsupport/desktop_scenario_win.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using scenario::kRectA;
using scenario::kRectB;
using scenario::SlotOf;
using testplant::LogEntry;

constexpr Rect32 kRectC{600, 100, 700, 200};

class DamagedBlock : public scenario::DesktopScenario {
 protected:
  // The icon view is whole, every plant of `registered` paints into it, and plant `newcomer`
  // registers. Prints the figures under `label`.
  void ExpectDesktopWhole(const char* label, const std::vector<int>& registered, int newcomer) {
    const LRESULT items = ItemCount();
    const bool icons = IconPlaces() == icons_;
    const int painted = PaintedPlants(registered, registered.front());
    StartPlant(newcomer, "new" + std::to_string(newcomer) + ".plt", kRectC);
    const LRESULT next = Command(newcomer, testplant::CommandRegister);
    std::printf("%s: items %d, icons %s, plants painted %d of %d, next registration %d\n", label,
                static_cast<int>(items), icons ? "in place" : "lost", painted,
                static_cast<int>(registered.size()), static_cast<int>(next));
    EXPECT_EQ(items, static_cast<LRESULT>(icons_.size()));
    EXPECT_TRUE(icons);
    EXPECT_EQ(painted, static_cast<int>(registered.size()));
    EXPECT_EQ(next, 0);
  }
};

TEST_F(DamagedBlock, ListViewNamingItsParentLeavesTheIconViewWholeBeforeAndAfterThePlantsLeave) {
  StartDesktopWithTwoPlants();
  // The view's parent, a window of the desktop's own thread, as a plant that crashed while
  // writing, or any other program, may leave there.
  StartPlant(2, "c.plt", kRectC);
  block_->listView = SlotOf(GetParent(listView_));
  Register(2);
  ExpectDesktopWhole("parent as list view", {0, 1, 2}, 3);
  for (int id : {0, 1, 2, 3}) Command(id, testplant::CommandUnregister);
  const LRESULT items = ItemCount();
  std::printf("parent as list view, every plant gone: items %d, icons %s\n", static_cast<int>(items),
              IconPlaces() == icons_ ? "in place" : "lost");
  EXPECT_EQ(items, static_cast<LRESULT>(icons_.size()));
  EXPECT_TRUE(IconPlaces() == icons_);
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
}

TEST_F(DamagedBlock, ListViewNamingAPlantWindowTakesNoWindowOver) {
  StartDesktopWithTwoPlants();
  StartPlant(2, "c.plt", kRectC);
  block_->listView = Slot(1);
  Register(2);
  ExpectDesktopWhole("plant as list view", {0, 1, 2}, 3);
  // Empty desktop, away from every plant: no plant answers hit, and the double-click is the list
  // view's own.
  const LRESULT before = Query(testdesktop::QueryDoubleClicks);
  const int32_t mark = Mark();
  Mouse({{WM_LBUTTONDBLCLK, {800, 650}}});
  int hits = 0;
  for (const LogEntry& e : EntriesWithCode(OstrelCode::HitTest, mark)) hits += e.answer != 0;
  EXPECT_EQ(hits, 0);
  EXPECT_EQ(EntriesWithCode(OstrelCode::HitTest, mark).size(), 4u);
  EXPECT_EQ(Query(testdesktop::QueryDoubleClicks), before + 1);
}

TEST_F(DamagedBlock, UnpinFromAnotherProgramKeepsThePlantsPainted) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  Register(0);
  // One plant runs and the block is as it should be: only the message comes from elsewhere,
  // once posted and once sent.
  PostMessageA(listView_, message_, static_cast<WPARAM>(OstrelCode::UnpinLibrary), 0);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(listView_, message_, static_cast<WPARAM>(OstrelCode::UnpinLibrary), 0, SMTO_NORMAL,
                      5000, &answer);
  Ping();
  EXPECT_TRUE(Status() & testdesktop::kSubclassed);
  ExpectDesktopWhole("foreign unpin", {0}, 1);
}

TEST_F(DamagedBlock, LiveWindowThatIsNoPlantInASlotIsDroppedNotTakenForThePlant) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  Register(0);
  // An ordinary window in a slot, as a dead plant's handle taken again by another window would
  // be: it answers 0 to a message it does not know.
  block_->clients[1] = SlotOf(control_);
  block_->clientCount = 2;
  ExpectDesktopWhole("ordinary window in a slot", {0}, 1);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(0), Slot(1)}));
}

TEST_F(DamagedBlock, ActiveClientWrittenByAnotherProgramSteersNoDrag) {
  StartDesktopWithTwoPlants();
  Command(0, testplant::CommandActivate);
  block_->activeClient = Slot(1);
  const int32_t mark = Mark();
  Mouse({{WM_LBUTTONDOWN, {300, 300}}, {WM_MOUSEMOVE, {340, 330}}, {WM_LBUTTONUP, {340, 330}}});
  const std::vector<LogEntry> changed = EntriesWithCode(OstrelCode::FrameChanged, mark);
  int toOther = 0;
  for (const LogEntry& e : changed) toOther += e.plant != 0;
  std::printf("active client written: frame changes to the active plant %d, to the other %d\n",
              static_cast<int>(changed.size()) - toOther, toOther);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].plant, 0);
  EXPECT_EQ(changed[0].rect, (Rect32{kRectA.left + 40, kRectA.top + 30, kRectA.right + 40, kRectA.bottom + 30}));
  ExpectDesktopWhole("active client written", {0, 1}, 2);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  scenario::ReadPrograms(argc, argv);
  return RUN_ALL_TESTS();
}
