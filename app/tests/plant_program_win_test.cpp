// The plant program end to end under Wine, against the test desktop: its start, its answers to the
// desktop, its moves (also one its desktop never ends) and its -QUIT, and the starts that fail.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/plant_options.h"
#include "app/tests/plant_program_fixture_win.h"
#include "framework/shell/tests/shortcut_reader_win.h"
#include "resources/resource_ids.h"

namespace plant_program_test {
namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using plant::PlantRecord;

std::string WallpaperValue() {
  char value[260] = "";
  DWORD size = sizeof value;
  RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, value,
               &size);
  return value;
}

void SetWallpaperValue(const char* value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", REG_SZ, value,
                  static_cast<DWORD>(std::strlen(value) + 1));
}

TEST_F(PlantProgram, StartGrowsAnswersTheDesktopAndQuitSavesEverything) {
  SetWallpaperValue("(None)");
  const ScopedComInit com;
  const std::string otherShortcut = StartupShortcutFile("Verdelo-Other");
  plant_test::WriteFile(otherShortcut, {'o', 't', 'h', 'e', 'r'});
  Program& plant = StartPlant();
  const HWND window = PlantWindowOf(plant);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Status() & testdesktop::kSubclassed, testdesktop::kSubclassed);
  EXPECT_STREQ(block_->checkedName, DataFile(kPlantFile).c_str());
  EXPECT_EQ(WallpaperValue(), kProduct);
  // The worker's event comes a little after the registration, with the worker.
  EXPECT_TRUE(WaitFor(
      [] { return ScopedHandle(OpenEventA(SYNCHRONIZE, FALSE, "VerdeloEvent_Fern.plt")).IsValid(); }));
  EXPECT_TRUE(
      WaitFor([&] { return FindProcessWindow(plant.Pid(), "#32770", "Welcome to Verdelo") != nullptr; }));

  // It grows and keeps saving its private copy.
  ASSERT_TRUE(WaitForSaves(2)) << "the plant file is not rewritten";

  // It answers the desktop from its record, its path and its picture.
  EXPECT_EQ(Ask(window, OstrelCode::GetLimit, 1), 30);   // 0.03 x 1024
  EXPECT_EQ(Ask(window, OstrelCode::GetLimit, 4), 460);  // 0.6 x 768
  std::string upper = DataFile(kPlantFile);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::strcpy(block_->checkedName, upper.c_str());
  EXPECT_EQ(Ask(window, OstrelCode::Identify), 0);
  std::strcpy(block_->checkedName, DataFile("Fern2.plt").c_str());
  EXPECT_NE(Ask(window, OstrelCode::Identify), 0);
  const Rect32 shown = SavedRect();
  int hits = 0;
  for (int y = shown.top; y < shown.bottom; ++y) {
    for (int x = shown.left; x < shown.right; x += 2)
      hits += Ask(window, OstrelCode::HitTest, MAKELONG(x, y)) == 1;
  }
  EXPECT_GT(hits, 0) << "no pixel of the plant is hit";
  EXPECT_EQ(Ask(window, OstrelCode::HitTest, MAKELONG(2, 2)), 0);
  // A repaint region with a count beyond the block is refused, and the plant lives on.
  const uint32_t hostile[3] = {32, 1, 5000};
  std::memcpy(block_->paintRegion, hostile, sizeof hostile);
  EXPECT_EQ(Ask(window, OstrelCode::Paint), 0);

  // A second start of the same plant ends at once; the first stays on the desktop and opens its
  // dialog, which makes it the active plant with its frame.
  Program& second = StartProgram(std::string("-LOADPLANT ") + kPlantFile);
  EXPECT_EQ(second.ExitCode(30000), 0);
  EXPECT_EQ(Clients().size(), 1u);
  const HWND dialog = PlantDialog(plant);
  ASSERT_NE(dialog, nullptr) << "the first one's dialog did not open";
  EXPECT_EQ(ostrel::LoadShared(block_->activeClient),
            ostrel::PackHandle(reinterpret_cast<uintptr_t>(window)));

  // A move drag shifts the anchor with the frame, saved in the next pass.
  const std::vector<uint8_t> saved = SavedPlant();
  const double anchorX = plant_test::Get<double>(saved, offsetof(PlantRecord, anchorX));
  const double anchorY = plant_test::Get<double>(saved, offsetof(PlantRecord, anchorY));
  const Rect32 frame = ostrel::LoadSharedRect(block_->activeFrame);
  const POINT middle{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
  Drag(middle, POINT{middle.x - 40, middle.y - 30});
  ASSERT_TRUE(WaitFor([&] { return Saved<double>(offsetof(PlantRecord, anchorX)) != anchorX; }));
  EXPECT_NEAR(Saved<double>(offsetof(PlantRecord, anchorX)), anchorX - 40.0 / kScreenWidth,
              2.0 / kScreenWidth);
  EXPECT_NEAR(Saved<double>(offsetof(PlantRecord, anchorY)), anchorY - 30.0 / kScreenHeight,
              2.0 / kScreenHeight);

  // A resize from the bottom right corner scales the size factor by the new height.
  const double sizeFactor = Saved<double>(offsetof(PlantRecord, sizeFactor));
  const Rect32 moved = ostrel::LoadSharedRect(block_->activeFrame);
  const int32_t height = moved.bottom - moved.top;
  Drag(POINT{moved.right - 2, moved.bottom - 2},
       POINT{moved.right - 2 + (moved.right - moved.left) / 2, moved.bottom - 2 + height / 2});
  const Rect32 resized = ostrel::LoadSharedRect(block_->activeFrame);
  ASSERT_GT(resized.bottom - resized.top, height);
  const double expected = sizeFactor * (resized.bottom - resized.top) / height;
  EXPECT_TRUE(WaitFor([&] {
    return std::fabs(Saved<double>(offsetof(PlantRecord, sizeFactor)) - expected) < 0.05 * expected;
  })) << "size factor "
      << Saved<double>(offsetof(PlantRecord, sizeFactor)) << ", expected about " << expected;

  // OK with autostart ticked makes this plant's shortcut; unticked, it goes. Another plant's stays.
  ToggleAutostartWithOk(plant, dialog);
  EXPECT_EQ(ReadShortcut(StartupShortcutFile("Verdelo-Fern")).arguments,
            "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Fern.plt\"");
  // The closed dialog tells the plant window by a posted message, which ends the plant's active state.
  EXPECT_TRUE(WaitFor([&] { return ostrel::LoadShared(block_->activeClient) == 0u; }));
  Ask(window, OstrelCode::Activate);
  ToggleAutostartWithOk(plant, PlantDialog(plant));
  EXPECT_EQ(GetFileAttributesA(StartupShortcutFile("Verdelo-Fern").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(plant_test::ReadFile(otherShortcut), (std::vector<uint8_t>{'o', 't', 'h', 'e', 'r'}));

  // -QUIT ends it as a user would: everything saved, the desktop left.
  EXPECT_EQ(StartProgram("-QUIT").ExitCode(30000), 0);
  EXPECT_EQ(plant.ExitCode(30000), 0);
  const int32_t flags = Saved<int32_t>(offsetof(PlantRecord, flags));
  EXPECT_EQ(flags & (plant::kCleanShutdown | plant::kDialogShown),
            plant::kCleanShutdown | plant::kDialogShown);
  std::string why;
  const std::vector<uint8_t> snapshot = ReadSharedFile(DataFile("Fern.pim"), &why);
  ASSERT_GE(snapshot.size(), 44u) << why;
  EXPECT_EQ(snapshot.size(), 44u + plant_test::Get<uint32_t>(snapshot, 24));  // head + biSizeImage
  const std::vector<uint8_t> options = ReadSharedFile(DataFile("Fern-Options.zrd"), &why);
  ASSERT_EQ(options.size(), plantapp::kPlantOptionsSize) << why;
  EXPECT_EQ(plant_test::Get<int32_t>(options, 4), 1);  // idle CPU, the default
  EXPECT_TRUE(Clients().empty());
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);

  // The welcome comes before the worker's event: a later start that has its event has no welcome.
  Program& again = StartPlant();
  EXPECT_TRUE(WaitFor(
      [] { return ScopedHandle(OpenEventA(SYNCHRONIZE, FALSE, "VerdeloEvent_Fern.plt")).IsValid(); }));
  EXPECT_EQ(FindProcessWindow(again.Pid(), "#32770", "Welcome to Verdelo"), nullptr)
      << "welcome on a later start";
  DeleteFileA(otherShortcut.c_str());
}

// Two plants at once, each its own process: both stand on the desktop, reaching it through one
// companion where the program takes that route (a 32-bit program on 64-bit Windows), and -QUIT
// ends both, and with them the companion.
TEST_F(PlantProgram, TwoPlantsShareTheDesktopThroughOneCompanion) {
  const bool wow64 = scenario::ProgramRoute() == scenario::Route::Companion;
  InstallPlant(SteppingPlant(), "Ivy.plt");
  Program& fern = StartPlant();
  Program& ivy = StartPlant("Ivy.plt");
  EXPECT_EQ(Clients().size(), 2u);
  EXPECT_EQ(scenario::CompanionProcesses(), wow64 ? 1 : 0);
  EXPECT_EQ(block_->companionRunning, wow64 ? 1 : 0);
  EXPECT_EQ(StartProgram("-QUIT").ExitCode(30000), 0);
  EXPECT_EQ(fern.ExitCode(30000), 0);
  EXPECT_EQ(ivy.ExitCode(30000), 0);
  EXPECT_TRUE(Clients().empty());
  EXPECT_TRUE(WaitFor([] { return scenario::CompanionProcesses() == 0; })) << "the companion stays";
  EXPECT_EQ(block_->companionRunning, 0);
  std::string why;
  EXPECT_GT(ReadSharedFile(DataFile("Ivy.pim"), &why).size(), 44u) << why;
}

// The desktop dies in the middle of a drag of the plant's frame, so the drag's end never comes:
// the plant goes on growing and saving, from the frame it had.
TEST_F(PlantProgram, PlantGoesOnAfterItsDesktopDiedMidDrag) {
  Program& plant = StartPlant();
  const HWND window = PlantWindowOf(plant);
  ASSERT_TRUE(WaitForSaves(1));
  Ask(window, OstrelCode::Activate);
  ASSERT_NE(PlantDialog(plant), nullptr);
  const double anchorX = Saved<double>(offsetof(PlantRecord, anchorX));
  const Rect32 frame = ostrel::LoadSharedRect(block_->activeFrame);
  const POINT middle{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
  Mouse({{WM_LBUTTONDOWN, middle}, {WM_MOUSEMOVE, POINT{middle.x - 40, middle.y - 30}}});
  KillDesktop();
  // One pass may have been saving as the drag began; more show the worker going on.
  EXPECT_TRUE(WaitForSaves(3)) << "the plant stopped at the drag";
  EXPECT_EQ(Saved<double>(offsetof(PlantRecord, anchorX)), anchorX);
}

TEST_F(PlantProgram, MissingOrCorruptPlantFilesGiveTheirMessageAndCode) {
  std::vector<uint8_t> corrupt = plant_test::DefaultPlantBytes();
  corrupt[offsetof(PlantRecord, signature)] = 'b';
  plant_test::WriteFile(install_ + "\\Bad.plt", corrupt);
  const std::string prefix = "Corrupt or missing plant file: ";
  struct Case {
    std::string arguments;
    std::string name;
    int code;
  };
  const Case cases[] = {
      {"", "(No plant file)", 6},
      {"-LOADPLANT", "(No plant file)", 7},
      {"-LOADPLANT Fern", "Fern", 8},
      {"-LOADPLANT Gone.plt", DataFile("Gone.plt"), 1},
      {"-LOADPLANT Bad.plt", DataFile("Bad.plt"), 7},
  };
  for (const Case& c : cases) {
    Program& program = StartProgram(c.arguments);
    const HWND box = MessageBoxOf(program, 30000);
    ASSERT_NE(box, nullptr) << "no message for \"" << c.arguments << "\"";
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_FIRST_LINE), prefix + c.name) << c.arguments;
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_OTHER_LINES), "Error Code: " + std::to_string(c.code)) << c.arguments;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.ExitCode(), 1) << c.arguments;
  }
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
}

// A start that fails after it registered (here its worker's event cannot be made: the name is taken
// by a mutex) leaves the desktop before it ends, so the next start of a plant is not taken for it.
TEST_F(PlantProgram, AStartThatFailsAfterRegisteringLeavesTheDesktop) {
  {
    const ScopedHandle taken(CreateMutexA(nullptr, FALSE, "VerdeloEvent_Fern.plt"));
    Program& failing = StartProgram(std::string("-LOADPLANT ") + kPlantFile);
    const HWND box = MessageBoxOf(failing, 30000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_OTHER_LINES), "Error Code: 9");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(failing.ExitCode(), 1);
  }
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
  Program& plant = StartPlant();
  EXPECT_EQ(plant.ExitCode(0), -1) << "the next start was taken for the dead one";
}

}  // namespace
}  // namespace plant_program_test

int main(int argc, char** argv) { return plant_program_test::RunPlantProgramTests(argc, argv); }
