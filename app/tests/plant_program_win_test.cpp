// The plant program end to end under Wine, against the test desktop: this tree's Verdelo.exe,
// started from an install folder of the test's own with the install record pointing at it, as a
// user starts a plant, stopped with its own -QUIT, and watched through the desktop-draw block, its
// windows and its files. Every wait is on observable state and bounded.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "app/plant_options.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/shell/tests/shortcut_reader_win.h"
#include "plant/plant_record.h"
#include "plant/tests/test_plants.h"
#include "resources/plant_dialog_ids.h"
#include "resources/resource_ids.h"
#include "tools/testsupport/desktop_scenario_win.h"
#include "tools/testsupport/install_record_fixture_win.h"
#include "tools/testsupport/process_window_win.h"
#include "tools/testsupport/read_shared_file_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using plant::PlantRecord;

std::string gProgram;  // Verdelo.exe of this tree
std::string gLibrary;  // Ostrel64.dll of this tree

constexpr char kProduct[] = "Verdelo";
constexpr char kPlantFile[] = "Fern.plt";
constexpr int32_t kScreenWidth = 1024;  // the test desktop's list view
constexpr int32_t kScreenHeight = 768;

std::string ItemText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

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
    // The program finds the installed plant file beside itself, and the library beside it.
    CopyFileA(gProgram.c_str(), (install_ + "\\Verdelo.exe").c_str(), FALSE);
    CopyFileA(gLibrary.c_str(), (install_ + "\\Ostrel64.dll").c_str(), FALSE);
    std::string why;
    installed_ = PutInstallRecord(install_, data_, &why);
  }

  void SetUp() override {
    DesktopScenario::SetUp();
    ASSERT_TRUE(installed_) << "no install record";
    ClearDataFolder();
    // A plant that steps every second, so that a test sees it grow and save.
    std::vector<uint8_t> plant = plant_test::DefaultPlantBytes();
    plant_test::Set<int32_t>(plant, offsetof(PlantRecord, secondsPerStep), 1);
    plant_test::WriteFile(install_ + "\\" + kPlantFile, plant);
    StartDesktop();
  }

  void TearDown() override {
    for (Program& program : programs_) scenario::KillProcess(program.process);
    programs_.clear();
    DesktopScenario::TearDown();
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
  Program& StartPlant() {
    Program& program = StartProgram(std::string("-LOADPLANT ") + kPlantFile);
    EXPECT_TRUE(WaitFor(
        [&] { return PlantWindowOf(program) != nullptr && IsRegistered(PlantWindowOf(program)); }, 30000))
        << "the plant did not register";
    return program;
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
  T Saved(size_t offset) {
    const std::vector<uint8_t> bytes = SavedPlant();
    return bytes.size() >= sizeof(PlantRecord) ? plant_test::Get<T>(bytes, offset) : T{};
  }

  uint32_t SavedSteps() { return Saved<uint32_t>(offsetof(PlantRecord, stepCount)); }

  // Waits until the plant has saved `passes` more passes.
  bool WaitForSaves(uint32_t passes) {
    const uint32_t target = SavedSteps() + passes;
    return WaitFor([&] { return SavedSteps() >= target; });
  }

  LRESULT Ask(HWND window, OstrelCode code, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message_, static_cast<WPARAM>(code), lParam, SMTO_NORMAL, 5000,
                             &answer)) {
      ADD_FAILURE() << "the plant did not answer sub-code " << static_cast<int>(code);
      return -100;
    }
    return static_cast<LRESULT>(answer);
  }

  // The plant's rectangle as its last save has it.
  Rect32 SavedRect() {
    const std::vector<uint8_t> bytes = SavedPlant();
    auto at = [&](size_t offset, int32_t size) {
      return static_cast<int32_t>(std::lround(plant_test::Get<double>(bytes, offset) * size));
    };
    return Rect32{at(offsetof(PlantRecord, rectLeft), kScreenWidth),
                  at(offsetof(PlantRecord, rectTop), kScreenHeight),
                  at(offsetof(PlantRecord, rectRight), kScreenWidth),
                  at(offsetof(PlantRecord, rectBottom), kScreenHeight)};
  }

  // Drags on the desktop from `from` to `to`; the plant's open dialog has made it the active one.
  void Drag(POINT from, POINT to) { Mouse({{WM_LBUTTONDOWN, from}, {WM_MOUSEMOVE, to}, {WM_LBUTTONUP, to}}); }

  // The plant's dialog, once it stands, or null.
  HWND PlantDialog(const Program& program) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindProcessWindow(program.Pid(), "#32770", "Fern")) != nullptr; });
    return dialog;
  }

  // Clicks the autostart box on the dialog's Options page, then OK, and waits until it has closed.
  void ToggleAutostartWithOk(const Program& program, HWND dialog) {
    for (HWND page = GetWindow(GetDlgItem(dialog, IDC_PAGE_TABS), GW_CHILD); page != nullptr;
         page = GetWindow(page, GW_HWNDNEXT)) {
      if (GetDlgItem(page, IDC_AUTOSTART) != nullptr)
        SendDlgItemMessageA(page, IDC_AUTOSTART, BM_CLICK, 0, 0);
    }
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return FindProcessWindow(program.Pid(), "#32770", "Fern") == nullptr; }));
  }

  static inline std::string root_;
  static inline std::string install_;
  static inline std::string data_;
  static inline bool installed_ = false;
  std::deque<Program> programs_;  // a deque: the tests keep references while more start
};

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
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (box = FindProcessWindow(program.Pid(), "#32770", kProduct)) != nullptr; }, 30000))
        << "no message for \"" << c.arguments << "\"";
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
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (box = FindProcessWindow(failing.Pid(), "#32770", kProduct)) != nullptr; }, 30000));
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_OTHER_LINES), "Error Code: 9");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(failing.ExitCode(), 1);
  }
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
  Program& plant = StartPlant();
  EXPECT_EQ(plant.ExitCode(0), -1) << "the next start was taken for the dead one";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  scenario::ReadPrograms(argc, argv);
  if (argc > 5) gProgram = ToWinePath(argv[5]);
  if (argc > 6) gLibrary = ToWinePath(argv[6]);
  return RUN_ALL_TESTS();
}
