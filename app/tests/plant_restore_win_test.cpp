// A restore as a user with two plants does it, under Wine: Restore in the About dialog of one
// plant, an archive picked in the file dialog, Yes and then OK to the restart, which ends both
// plants and starts both again at once. Round after round, both come back with the plants the
// archive holds, and nothing of the restore is left in the data folder.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/dialog_pages.h"
#include "app/tests/plant_program_fixture_win.h"
#include "framework/app/restore_swap.h"
#include "framework/app/tests/config_archive_fixture.h"
#include "resources/resource_ids.h"

namespace plant_program_test {
namespace {

using plant::PlantRecord;

constexpr char kSecondPlant[] = "Ivy.plt";
constexpr int kFileNameEdit = 0x480;   // edt1 of the common file dialogs
constexpr int kFileNameCombo = 0x47C;  // cmb13, where Windows keeps the name instead
constexpr int kRounds = 5;

// A plant that steps every second, welcomed already (the welcome would stand beside the dialog),
// `steps` old and standing at `x` (a fraction of the screen's width), so two never overlap.
std::string PlantBytes(uint32_t steps, double x) {
  std::vector<uint8_t> plant = plant_test::DefaultPlantBytes();
  plant_test::Set<int32_t>(plant, offsetof(PlantRecord, secondsPerStep), 1);
  plant_test::Set<uint32_t>(plant, offsetof(PlantRecord, stepCount), steps);
  plant_test::Set<int32_t>(
      plant, offsetof(PlantRecord, flags),
      plant_test::Get<int32_t>(plant, offsetof(PlantRecord, flags)) | plant::kDialogShown);
  plant_test::Set<double>(plant, offsetof(PlantRecord, anchorX), x);
  return std::string(plant.begin(), plant.end());
}

class PlantRestore : public PlantProgram {
 protected:
  // The visible dialog of `program` titled `title` for which `accept` holds, once it stands.
  HWND DialogOf(const Program& program, const char* title, std::function<bool(HWND)> accept) {
    HWND found = nullptr;
    WaitFor([&] {
      found = FindProcessWindow(program.Pid(), "#32770", title,
                                [&](HWND window) { return IsWindowVisible(window) && accept(window); });
      return found != nullptr;
    });
    return found;
  }
  static bool IsAboutDialog(HWND window) { return GetDlgItem(window, IDC_ABOUT_BACKUP) != nullptr; }

  // Answers the program's message box (not the About dialog) with `button`; returns its first line.
  std::string Answer(const Program& program, int button) {
    const HWND box = DialogOf(program, kProduct, [](HWND window) { return !IsAboutDialog(window); });
    if (box == nullptr) return "";
    const std::string text = ItemText(box, IDC_MESSAGE_FIRST_LINE);
    PostMessageA(box, WM_COMMAND, button, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    return text;
  }

  // Restore in the About dialog that the plant dialog's About page opens, `archive` picked, Yes
  // to the question and OK to the restart.
  void RestoreAndRestart(const Program& plant, const std::string& archive) {
    const HWND dialog = DoubleClickPlant(plant);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, IDC_PAGE_TABS), TCM_SETCURFOCUS, plantapp::kAboutPage, 0);
    PostMessageA(PageControl(dialog, IDC_ABOUT_BUTTON), BM_CLICK, 0, 0);
    const HWND about = DialogOf(plant, kProduct, IsAboutDialog);
    ASSERT_NE(about, nullptr);
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_RESTORE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(about, IDC_ABOUT_RESTORE)));
    const HWND picker = DialogOf(plant, "Open", [](HWND) { return true; });
    ASSERT_NE(picker, nullptr);
    SetDlgItemTextA(picker, GetDlgItem(picker, kFileNameEdit) != nullptr ? kFileNameEdit : kFileNameCombo,
                    archive.c_str());
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Answer(plant, IDYES), "Warning: your current configuration will be overwritten!");
    EXPECT_EQ(Answer(plant, IDOK), "Data restored successfully!");
  }

  // The registered plant window of a process not in `old`, for the plant file `file`, once one
  // stands.
  HWND RestartedPlant(const std::vector<DWORD>& old, const char* file) {
    struct Search {
      std::vector<HWND> windows;
    } search;
    HWND found = nullptr;
    WaitFor(
        [&] {
          search.windows.clear();
          EnumWindows(
              [](HWND window, LPARAM context) -> BOOL CALLBACK {
                char name[32] = "";
                GetClassNameA(window, name, sizeof name);
                if (std::string(name) == "ZRFWindow")
                  reinterpret_cast<Search*>(context)->windows.push_back(window);
                return TRUE;
              },
              reinterpret_cast<LPARAM>(&search));
          for (HWND window : search.windows) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (std::find(old.begin(), old.end(), pid) != old.end() || !IsRegistered(window)) continue;
            std::strcpy(block_->checkedName, DataFile(file).c_str());
            if (Ask(window, ostrel::OstrelCode::Identify) == 0) found = window;
          }
          return found != nullptr;
        },
        30000);
    return found;
  }

  uint32_t StepsIn(const char* file) {
    std::string why;
    return Field<uint32_t>(ReadSharedFile(DataFile(file), &why), offsetof(PlantRecord, stepCount));
  }
};

TEST_F(PlantRestore, BothPlantsComeBackWithTheRestoredOnesRoundAfterRound) {
  const std::string first = PlantBytes(1000, 0.25);
  const std::string second = PlantBytes(1000, 0.75);
  InstallPlant(std::vector<uint8_t>(first.begin(), first.end()));
  InstallPlant(std::vector<uint8_t>(second.begin(), second.end()), kSecondPlant);
  Program* fern = &StartPlant();
  Program* ivy = &StartPlant(kSecondPlant);
  ASSERT_TRUE(WaitForSaves(1));  // the dialog opens at the plant's saved place
  const std::string archive = root_ + "\\restore.BrambeckConfig";
  for (int round = 1; round <= kRounds; ++round) {
    SCOPED_TRACE(round);
    // Far older plants than the running ones, and older in each round.
    const uint32_t steps = 100000u * static_cast<uint32_t>(round);
    WriteArchive(archive, {{kProduct, ProductEntry("*.zrd;*.pim")},
                           {kPlantFile, PlantBytes(steps, 0.25)},
                           {kSecondPlant, PlantBytes(steps + 50000, 0.75)}});
    ASSERT_NO_FATAL_FAILURE(RestoreAndRestart(*fern, archive));
    EXPECT_EQ(fern->ExitCode(30000), 0);
    EXPECT_EQ(ivy->ExitCode(30000), 0);
    const std::vector<DWORD> old = {fern->Pid(), ivy->Pid()};
    const HWND fernWindow = RestartedPlant(old, kPlantFile);
    const HWND ivyWindow = RestartedPlant(old, kSecondPlant);
    ASSERT_NE(fernWindow, nullptr) << "the first plant did not come back";
    ASSERT_NE(ivyWindow, nullptr) << "the second plant did not come back";
    DWORD pid = 0;
    GetWindowThreadProcessId(fernWindow, &pid);
    fern = &AdoptProgram(pid);
    GetWindowThreadProcessId(ivyWindow, &pid);
    ivy = &AdoptProgram(pid);
    // Each runs on, and saves, the plant the archive holds.
    EXPECT_TRUE(
        WaitFor([&] { return StepsIn(kPlantFile) > steps && StepsIn(kSecondPlant) > steps + 50000; }));
    EXPECT_LT(StepsIn(kPlantFile), steps + 1000);
    EXPECT_LT(StepsIn(kSecondPlant), steps + 51000);
    EXPECT_EQ(GetFileAttributesA(DataFile(kRestoreFolderName).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(DataFile(std::string(kProduct) + ".BrambeckConfig").c_str()),
              INVALID_FILE_ATTRIBUTES);
  }
}

}  // namespace
}  // namespace plant_program_test

int main(int argc, char** argv) { return plant_program_test::RunPlantProgramTests(argc, argv); }
