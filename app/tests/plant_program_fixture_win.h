// The plant program end to end under Wine, against the test desktop: this tree's Verdelo.exe,
// started from an install folder of the test's own with the install record pointing at it, as a
// user starts a plant, and watched through the desktop-draw block, its windows and its files.
// Every wait is on observable state and bounded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "framework/base/scoped_handles_win.h"
#include "plant/plant_record.h"
#include "plant/tests/test_plants.h"
#include "resources/plant_dialog_ids.h"
#include "tools/testsupport/desktop_scenario_win.h"
#include "tools/testsupport/install_record_fixture_win.h"
#include "tools/testsupport/process_window_win.h"
#include "tools/testsupport/program_folder_win.h"
#include "tools/testsupport/read_shared_file_win.h"
#include "tools/testsupport/wine_path.h"

namespace plant_program_test {

inline std::string gProgram;    // Verdelo.exe of this tree
inline std::string gLibrary;    // this tree's hook library
inline std::string gLibrary64;  // Ostrel64.dll, the companion's library

inline constexpr char kProduct[] = "Verdelo";
inline constexpr char kPlantFile[] = "Fern.plt";
inline constexpr char kPlantName[] = "Fern";
inline constexpr int32_t kScreenWidth = 1024;  // the test desktop's list view
inline constexpr int32_t kScreenHeight = 768;

inline std::string ItemText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// One process of the program.
struct Program {
  PROCESS_INFORMATION process{};
  DWORD Pid() const { return process.dwProcessId; }
  // The exit code, or -1 when it did not end in time.
  int64_t ExitCode(DWORD ms = scenario::kWaitMs) const {
    if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }
};

class PlantProgram : public scenario::DesktopScenario {
 protected:
  static void SetUpTestSuite() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "verdelo_program";
    install_ = root_ + "\\install";
    data_ = root_ + "\\data";
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA(install_.c_str(), nullptr);
    CreateDirectoryA(data_.c_str(), nullptr);
    // The layout the package installs: the program with its library, and the companion with its
    // library, which a 32-bit program on 64-bit Windows starts from its own folder. The program
    // finds the installed plant file beside itself.
    for (const std::string& file : {gProgram, gLibrary, scenario::ScenarioPrograms().companion, gLibrary64})
      CopyIntoFolder(file, install_);
    std::string why;
    installed_ = PutInstallRecord(install_, data_, &why);
  }

  void SetUp() override {
    DesktopScenario::SetUp();
    ASSERT_TRUE(installed_) << "no install record";
    ClearDataFolder();
    InstallPlant(SteppingPlant());
    StartDesktop("progman", scenario::ProgramRoute());
  }

  void TearDown() override {
    for (Program& program : programs_) scenario::KillProcess(program.process);
    programs_.clear();
    scenario::EndCompanions();
    DesktopScenario::TearDown();
  }

  // The default species stepping every second, so that a test sees it grow and save.
  static std::vector<uint8_t> SteppingPlant() {
    std::vector<uint8_t> plant = plant_test::DefaultPlantBytes();
    plant_test::Set<int32_t>(plant, offsetof(plant::PlantRecord, secondsPerStep), 1);
    return plant;
  }

  // The plant file the program's first start copies into the data folder.
  static void InstallPlant(const std::vector<uint8_t>& plant, const char* file = kPlantFile) {
    plant_test::WriteFile(install_ + "\\" + file, plant);
  }

  static void ClearDataFolder() {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((data_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        DeleteFileA(DataFile(found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  static std::string DataFile(const std::string& name) { return data_ + "\\" + name; }

  Program& StartProgram(const std::string& arguments) {
    programs_.push_back(Program{Start("\"" + install_ + "\\Verdelo.exe\" " + arguments)});
    return programs_.back();
  }

  // Starts the plant and waits until it stands registered on the desktop.
  Program& StartPlant(const char* file = kPlantFile) {
    Program& program = StartProgram(std::string("-LOADPLANT ") + file);
    EXPECT_TRUE(WaitFor(
        [&] { return PlantWindowOf(program) != nullptr && IsRegistered(PlantWindowOf(program)); }, 30000))
        << "the plant did not register";
    return program;
  }

  // A process of the program that the test did not start itself (a restart) becomes one of the
  // test's, ended with the others.
  Program& AdoptProgram(DWORD pid) {
    Program program;
    program.process.hProcess =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    program.process.dwProcessId = pid;
    EXPECT_NE(program.process.hProcess, nullptr) << "process " << pid;
    programs_.push_back(program);
    return programs_.back();
  }

  static HWND PlantWindowOf(const Program& program) {
    return FindProcessWindow(program.Pid(), "ZRFWindow", kProduct);
  }

  bool IsRegistered(HWND window) {
    if (block_ == nullptr) {
      // The block exists from the first load of the library on.
      const ScopedHandle probe(OpenFileMappingA(FILE_MAP_READ, FALSE, ostrel::kSharedMemName));
      if (!probe.IsValid()) return false;
      OpenBlock();
    }
    const std::vector<uint32_t> clients = Clients();
    const uint32_t slot = ostrel::PackHandle(reinterpret_cast<uintptr_t>(window));
    return std::find(clients.begin(), clients.end(), slot) != clients.end();
  }

  std::vector<uint8_t> SavedPlant() {
    std::string why;
    return ReadSharedFile(DataFile(kPlantFile), &why);
  }

  template <typename T>
  static T Field(const std::vector<uint8_t>& plant, size_t offset) {
    return plant.size() >= sizeof(plant::PlantRecord) ? plant_test::Get<T>(plant, offset) : T{};
  }

  template <typename T>
  T Saved(size_t offset) {
    return Field<T>(SavedPlant(), offset);
  }

  uint32_t SavedSteps() { return Saved<uint32_t>(offsetof(plant::PlantRecord, stepCount)); }

  // Waits until the plant has saved `passes` more passes.
  bool WaitForSaves(uint32_t passes) {
    const uint32_t target = SavedSteps() + passes;
    return WaitFor([&] { return SavedSteps() >= target; });
  }

  LRESULT Ask(HWND window, ostrel::OstrelCode code, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message_, static_cast<WPARAM>(code), lParam, SMTO_NORMAL, 5000,
                             &answer)) {
      ADD_FAILURE() << "the plant did not answer sub-code " << static_cast<int>(code);
      return -100;
    }
    return static_cast<LRESULT>(answer);
  }

  // The plant's rectangle as its last save has it.
  ostrel::Rect32 SavedRect() {
    const std::vector<uint8_t> bytes = SavedPlant();
    auto at = [&](size_t offset, int32_t size) {
      return static_cast<int32_t>(std::lround(plant_test::Get<double>(bytes, offset) * size));
    };
    return ostrel::Rect32{at(offsetof(plant::PlantRecord, rectLeft), kScreenWidth),
                          at(offsetof(plant::PlantRecord, rectTop), kScreenHeight),
                          at(offsetof(plant::PlantRecord, rectRight), kScreenWidth),
                          at(offsetof(plant::PlantRecord, rectBottom), kScreenHeight)};
  }

  // Drags on the desktop from `from` to `to`; the plant's open dialog has made it the active one.
  void Drag(POINT from, POINT to) { Mouse({{WM_LBUTTONDOWN, from}, {WM_MOUSEMOVE, to}, {WM_LBUTTONUP, to}}); }

  // A point of the desktop where the plant answers a hit, scanned over its last saved rectangle;
  // {-1, -1} when none does.
  POINT PlantPixel(HWND window) {
    const ostrel::Rect32 shown = SavedRect();
    for (int y = shown.top; y < shown.bottom; y += 3) {
      for (int x = shown.left; x < shown.right; x += 3) {
        if (Ask(window, ostrel::OstrelCode::HitTest, MAKELONG(x, y)) == 1) return POINT{x, y};
      }
    }
    return POINT{-1, -1};
  }

  // Double-clicks the plant on the desktop, as a user opens its dialog, and returns the dialog
  // once it stands, or null.
  HWND DoubleClickPlant(const Program& program) {
    // A plant that has just started answers hits only once its first picture is drawn, which
    // follows its first save.
    POINT pixel{-1, -1};
    WaitFor([&] { return (pixel = PlantPixel(PlantWindowOf(program))).x >= 0; });
    EXPECT_GE(pixel.x, 0) << "no pixel of the plant is hit";
    Mouse({{WM_LBUTTONDBLCLK, pixel}});
    return PlantDialog(program);
  }

  // The plant's dialog, once it stands, or null.
  HWND PlantDialog(const Program& program) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindProcessWindow(program.Pid(), "#32770", kPlantName)) != nullptr; });
    return dialog;
  }

  // The program's framework message box, once it shows, or null.
  HWND MessageBoxOf(const Program& program, DWORD timeoutMs = scenario::kWaitMs) {
    HWND box = nullptr;
    auto shown = [](HWND window) { return IsWindowVisible(window) != FALSE; };
    WaitFor([&] { return (box = FindProcessWindow(program.Pid(), "#32770", kProduct, shown)) != nullptr; },
            timeoutMs);
    return box;
  }

  // Closes the dialog as the button `id` (OK or Cancel) does and waits until it has gone.
  bool CloseDialog(const Program& program, HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, id, 0);
    return WaitFor([&] { return FindProcessWindow(program.Pid(), "#32770", kPlantName) == nullptr; });
  }

  // A control of the dialog's pages, by id.
  static HWND PageControl(HWND dialog, int id) {
    for (HWND page = GetWindow(GetDlgItem(dialog, IDC_PAGE_TABS), GW_CHILD); page != nullptr;
         page = GetWindow(page, GW_HWNDNEXT)) {
      if (HWND control = GetDlgItem(page, id)) return control;
    }
    return nullptr;
  }

  // Clicks the autostart box on the dialog's Options page, then OK, and waits until it has closed.
  void ToggleAutostartWithOk(const Program& program, HWND dialog) {
    SendMessageA(PageControl(dialog, IDC_AUTOSTART), BM_CLICK, 0, 0);
    EXPECT_TRUE(CloseDialog(program, dialog, IDOK));
  }

  static inline std::string root_;
  static inline std::string install_;
  static inline std::string data_;
  static inline bool installed_ = false;
  std::deque<Program> programs_;  // a deque: the tests keep references while more start
};

/// The main function of the tests on this fixture: the desktop's programs, then this tree's
/// Verdelo.exe and its library, and the companion's library.
inline int RunPlantProgramTests(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  scenario::ReadPrograms(argc, argv);
  if (argc > 6) gProgram = ToWinePath(argv[6]);
  if (argc > 7) gLibrary = ToWinePath(argv[7]);
  if (argc > 8) gLibrary64 = ToWinePath(argv[8]);
  return RUN_ALL_TESTS();
}

}  // namespace plant_program_test
