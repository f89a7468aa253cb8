// The plant dialog on the running plant program, driven as a user would: opened by a double-click
// on the plant on the test desktop, its controls sent what a user's clicks and keys send them, and
// what OK, Cancel, Restart and -QUIT leave seen in the plant's files and on the desktop.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/dialog_pages.h"
#include "app/dialog_texts.h"
#include "app/plant_options.h"
#include "app/tests/plant_program_fixture_win.h"
#include "framework/shell/tests/shortcut_reader_win.h"
#include "plant/growth_simulation.h"
#include "plant/plant_file.h"
#include "resources/resource_ids.h"

namespace plant_program_test {
namespace {

using ostrel::Rect32;
using plant::PlantRecord;

constexpr size_t kWaterAt = offsetof(PlantRecord, waterLevel);
constexpr size_t kFertiliserAt = offsetof(PlantRecord, fertiliserLevel);
constexpr size_t kLightAt = offsetof(PlantRecord, light);
constexpr size_t kTemperatureAt = offsetof(PlantRecord, temperature);
constexpr size_t kBrightnessAt = offsetof(PlantRecord, brightness);
constexpr size_t kFlagsAt = offsetof(PlantRecord, flags);
constexpr size_t kAnchorXAt = offsetof(PlantRecord, anchorX);
constexpr size_t kAnchorYAt = offsetof(PlantRecord, anchorY);
constexpr size_t kSizeFactorAt = offsetof(PlantRecord, sizeFactor);
constexpr size_t kStepsAt = offsetof(PlantRecord, stepCount);

// The installed plant: a day and an hour old at one step a second; so warm that it stops growing,
// which holds its frame still, and drinks visibly within seconds; and 113 % bright, which a
// truncated percent would read as 112.
constexpr uint32_t kAgeSteps = 25 * 3600;
constexpr double kWater = 0.3;
constexpr double kLight = 0.55;
constexpr double kTemperature = 40.0;
constexpr double kBrightness = 1.13 - 1.0;

// The desktop window stands away from the screen's corner, so the dialog's place is worked out in
// the list view's coordinates and turned into the screen's.
constexpr int kDesktopLeft = 40;
constexpr int kDesktopTop = 30;

std::string TextOf(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The health the plant file implies; -2 when it does not load.
double HealthOf(const std::vector<uint8_t>& file) {
  plant::Plant plant;
  std::string why;
  if (plant::LoadPlantBytes(plant, file.data(), file.size(), 0, &why) != plant::LoadResult::Ok) return -2.0;
  return plant::ComputePlantHealth(plant);
}

std::vector<uint8_t> OptionsBytes(const plantapp::PlantOptions& options) {
  std::vector<uint8_t> bytes(sizeof options);
  std::memcpy(bytes.data(), &options, sizeof options);
  return bytes;
}

class PlantDialogOnProgram : public PlantProgram {
 protected:
  void SetUp() override {
    PlantProgram::SetUp();
    std::vector<uint8_t> plant = SteppingPlant();
    plant_test::Set<uint32_t>(plant, kStepsAt, kAgeSteps);
    plant_test::Set<double>(plant, kWaterAt, kWater);
    plant_test::Set<double>(plant, kLightAt, kLight);
    plant_test::Set<double>(plant, kTemperatureAt, kTemperature);
    plant_test::Set<double>(plant, kBrightnessAt, kBrightness);
    // Welcomed already: the welcome would stand beside the dialog.
    const int32_t flags = plant_test::Get<int32_t>(plant, kFlagsAt) | plant::kDialogShown;
    plant_test::Set<int32_t>(plant, kFlagsAt, flags & ~plant::kAutoCare);
    InstallPlant(plant);
    SetWindowPos(GetAncestor(listView_, GA_ROOT), nullptr, kDesktopLeft, kDesktopTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  static void ShowPage(HWND dialog, int32_t page) {
    // As a click on a tab: the tab control tells the dialog of the new selection.
    SendMessageA(GetDlgItem(dialog, IDC_PAGE_TABS), TCM_SETCURFOCUS, page, 0);
  }

  static void Click(HWND dialog, int id) { SendMessageA(PageControl(dialog, id), BM_CLICK, 0, 0); }

  // Clicks (presses and releases) the add button id `times` times.
  static void ClickAdd(HWND dialog, int id, int times) {
    HWND button = PageControl(dialog, id);
    for (int i = 0; i < times; ++i) {
      SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageA(button, WM_LBUTTONUP, 0, 0);
    }
  }

  static void PressKey(HWND control, WPARAM key) {
    SendMessageA(control, WM_KEYDOWN, key, 1);
    SendMessageA(control, WM_KEYUP, key, 0xC0000001);
  }

  std::vector<uint8_t> Options() {
    std::string why;
    return ReadSharedFile(DataFile("Fern-Options.zrd"), &why);
  }
};

TEST_F(PlantDialogOnProgram, OpensAtThePlantAndOkAndCancelKeepWhatTheUserDid) {
  Program& plant = StartPlant();
  const HWND window = PlantWindowOf(plant);
  ASSERT_TRUE(WaitForSaves(1));
  const std::vector<uint8_t> atOpen = SavedPlant();

  // A double-click on the plant makes it the active one and opens the dialog with its corner on
  // the plant's centre, or on the other side of the centre where it would leave the desktop.
  const POINT pixel = PlantPixel(window);
  ASSERT_GE(pixel.x, 0) << "no pixel of the plant is hit";
  Mouse({{WM_LBUTTONDBLCLK, pixel}});
  HWND dialog = PlantDialog(plant);
  ASSERT_NE(dialog, nullptr) << "the double-click opened no dialog";
  EXPECT_EQ(ostrel::LoadShared(block_->activeClient),
            ostrel::PackHandle(reinterpret_cast<uintptr_t>(window)));
  const Rect32 frame = ostrel::LoadSharedRect(block_->activeFrame);
  EXPECT_TRUE(pixel.x >= frame.left && pixel.x < frame.right && pixel.y >= frame.top &&
              pixel.y < frame.bottom);
  RECT placed{};
  GetWindowRect(dialog, &placed);
  const int width = placed.right - placed.left;
  const int height = placed.bottom - placed.top;
  const int centreX = (frame.left + frame.right) / 2;
  const int centreY = (frame.top + frame.bottom) / 2;
  EXPECT_EQ(placed.left - kDesktopLeft, centreX + width <= kScreenWidth ? centreX : centreX - width);
  EXPECT_EQ(placed.top - kDesktopTop, centreY + height <= kScreenHeight ? centreY : centreY - height);

  // The Info page shows the age and the health that the saved plant implies.
  ShowPage(dialog, plantapp::kInfoPage);
  const HWND age = PageControl(dialog, IDC_AGE);
  EXPECT_TRUE(IsWindowVisible(age));
  EXPECT_EQ(TextOf(age), "1 day, 1 hour");
  const HWND health = PageControl(dialog, IDC_HEALTH);
  const HWND bar = PageControl(dialog, IDC_HEALTH_BAR);
  double implied = -2.0;
  EXPECT_TRUE(WaitFor([&] {
    implied = HealthOf(SavedPlant());
    return TextOf(health) == plantapp::HealthText(implied) &&
           GetWindowLongPtrA(bar, GWLP_USERDATA) == plantapp::HealthBarPercent(implied);
  })) << TextOf(health)
      << " where the plant file implies " << plantapp::HealthText(implied);

  // OK with nothing touched: light, temperature and brightness stay as they were, and what the
  // plant drank while the dialog was open stays drunk.
  const uint32_t openSteps = Field<uint32_t>(atOpen, kStepsAt);
  ASSERT_TRUE(WaitFor([&] { return SavedSteps() >= openSteps + 8; }, 30000));
  const std::vector<uint8_t> beforeOk = SavedPlant();
  ASSERT_LT(Field<double>(beforeOk, kWaterAt), Field<double>(atOpen, kWaterAt));
  // The worker tells the dialog after each save and only then goes on: once a later save stands,
  // the dialog has seen this one's levels.
  ASSERT_TRUE(WaitForSaves(1));
  ASSERT_TRUE(CloseDialog(plant, dialog, IDOK));
  ASSERT_TRUE(WaitForSaves(1));
  const std::vector<uint8_t> afterOk = SavedPlant();
  EXPECT_EQ(Field<double>(afterOk, kBrightnessAt), kBrightness);
  EXPECT_EQ(Field<double>(afterOk, kLightAt), kLight);
  EXPECT_EQ(Field<double>(afterOk, kTemperatureAt), kTemperature);
  EXPECT_LE(Field<double>(afterOk, kWaterAt), Field<double>(beforeOk, kWaterAt));
  EXPECT_LE(Field<double>(afterOk, kFertiliserAt), Field<double>(beforeOk, kFertiliserAt));
  const size_t colours = offsetof(PlantRecord, potColour);
  EXPECT_EQ(std::memcmp(afterOk.data() + colours, atOpen.data() + colours, 8), 0);
  EXPECT_EQ(Field<int32_t>(afterOk, kFlagsAt) & (plant::kAutoCare | plant::kGrowWhileOff),
            Field<int32_t>(atOpen, kFlagsAt) & (plant::kAutoCare | plant::kGrowWhileOff));

  // Watering with the button and changed options: OK writes the options file and the autostart
  // shortcut at once, and the next saves hold the raised water level.
  dialog = DoubleClickPlant(plant);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PAGE_TABS, TCM_GETCURSEL, 0, 0), plantapp::kInfoPage);
  ShowPage(dialog, plantapp::kCarePage);
  const double water = Saved<double>(kWaterAt);
  ClickAdd(dialog, IDC_ADD_WATER, 20);
  Click(dialog, IDC_AUTOSTART);
  Click(dialog, IDC_IDLE_CPU);
  Click(dialog, IDC_FOLLOW_SCREEN);
  Click(dialog, IDC_FAHRENHEIT);
  ASSERT_TRUE(CloseDialog(plant, dialog, IDOK));
  EXPECT_EQ(Options(), OptionsBytes(plantapp::PlantOptions{1, 0, 1, 1}));
  const ScopedComInit com;
  const std::string shortcut = StartupShortcutFile("Verdelo-Fern");
  EXPECT_EQ(ReadShortcut(shortcut).arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Fern.plt\"");
  EXPECT_TRUE(WaitFor([&] { return Saved<double>(kWaterAt) > water + 0.15; }))
      << "water " << Saved<double>(kWaterAt) << " after 20 clicks on " << water;
  DeleteFileA(shortcut.c_str());

  // Cancel after a drag of the frame puts the plant back where and as large as it was.
  dialog = DoubleClickPlant(plant);
  ASSERT_NE(dialog, nullptr);
  const std::vector<uint8_t> beforeMove = SavedPlant();
  const Rect32 opened = ostrel::LoadSharedRect(block_->activeFrame);
  const POINT middle{(opened.left + opened.right) / 2, (opened.top + opened.bottom) / 2};
  Drag(middle, POINT{middle.x - 40, middle.y - 30});
  const double anchorX = Field<double>(beforeMove, kAnchorXAt);
  ASSERT_TRUE(WaitFor([&] { return Saved<double>(kAnchorXAt) != anchorX; })) << "the drag moved nothing";
  ASSERT_TRUE(CloseDialog(plant, dialog, IDCANCEL));
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<uint8_t> now = SavedPlant();
    return std::fabs(Field<double>(now, kAnchorXAt) - anchorX) < 0.5 / kScreenWidth &&
           std::fabs(Field<double>(now, kAnchorYAt) - Field<double>(beforeMove, kAnchorYAt)) <
               0.5 / kScreenHeight;
  })) << "anchor "
      << Saved<double>(kAnchorXAt) << " where it was " << anchorX;
  EXPECT_NEAR(Saved<double>(kSizeFactorAt), Field<double>(beforeMove, kSizeFactorAt), 1e-9);
  EXPECT_EQ(ostrel::LoadShared(block_->activeClient), 0u);
}

TEST_F(PlantDialogOnProgram, RestartAsksThenStartsThePlantAfreshAndQuitWithTheDialogOpenSavesIt) {
  Program& plant = StartPlant();
  ASSERT_TRUE(WaitForSaves(1));
  HWND dialog = DoubleClickPlant(plant);
  ASSERT_NE(dialog, nullptr);
  // More light for the running plant: the restart must not keep it.
  PressKey(PageControl(dialog, IDC_LIGHT), VK_NEXT);
  ShowPage(dialog, plantapp::kInfoPage);

  // Restart asks first; No leaves the plant running with its dialog.
  const HWND restart = PageControl(dialog, IDC_RESTART);
  for (const int answer : {IDNO, IDYES}) {
    PostMessageA(restart, BM_CLICK, 0, 0);
    const HWND box = MessageBoxOf(plant);
    ASSERT_NE(box, nullptr) << "Restart did not ask";
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_FIRST_LINE), "Are you sure you want to restart the plant?");
    PostMessageA(box, WM_COMMAND, answer, 0);
    if (answer == IDNO) {
      EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
      EXPECT_EQ(plant.ExitCode(0), -1) << "No restarted the plant";
      EXPECT_TRUE(IsWindow(dialog));
    }
  }

  // Yes ends this process and starts another on the same plant, from the installed plant file.
  EXPECT_EQ(plant.ExitCode(30000), 0);
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        window = FindWindowA("ZRFWindow", kProduct);
        return window != nullptr && IsRegistered(window);
      },
      30000))
      << "no plant came back";
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  Program& restarted = AdoptProgram(pid);
  std::strcpy(block_->checkedName, DataFile(kPlantFile).c_str());
  EXPECT_EQ(Ask(window, ostrel::OstrelCode::Identify), 0) << "another plant came back";
  ASSERT_TRUE(WaitForSaves(1));
  EXPECT_EQ(Saved<double>(kLightAt), kLight);

  // -QUIT from a second start while the dialog is open: what the dialog holds is applied and
  // saved with everything else.
  dialog = DoubleClickPlant(restarted);
  ASSERT_NE(dialog, nullptr);
  PressKey(PageControl(dialog, IDC_LIGHT), VK_NEXT);
  const double water = Saved<double>(kWaterAt);
  ClickAdd(dialog, IDC_ADD_WATER, 5);
  Click(dialog, IDC_IDLE_CPU);
  Click(dialog, IDC_FAHRENHEIT);
  EXPECT_EQ(StartProgram("-QUIT").ExitCode(30000), 0);
  EXPECT_EQ(restarted.ExitCode(30000), 0);
  const std::vector<uint8_t> saved = SavedPlant();
  EXPECT_EQ(Field<double>(saved, kLightAt), 0.6);  // one page of the slider: 550 + 50
  EXPECT_GT(Field<double>(saved, kWaterAt), water + 0.03);
  EXPECT_EQ(Field<int32_t>(saved, kFlagsAt) & (plant::kCleanShutdown | plant::kDialogShown),
            plant::kCleanShutdown | plant::kDialogShown);
  EXPECT_EQ(Options(), OptionsBytes(plantapp::PlantOptions{0, 0, 0, 1}));
  std::string why;
  const std::vector<uint8_t> snapshot = ReadSharedFile(DataFile("Fern.pim"), &why);
  ASSERT_GE(snapshot.size(), 44u) << why;
  EXPECT_EQ(snapshot.size(), 44u + plant_test::Get<uint32_t>(snapshot, 24));  // head + biSizeImage
  EXPECT_TRUE(Clients().empty());
}

}  // namespace
}  // namespace plant_program_test
