// The plant dialog, its pages and the welcome dialog under Wine, driven as a user would (messages
// to the controls, or keys and clicks sent as input through the message loop) against the
// stand-in plant program, on the default species, and an update notice that comes while the
// welcome is open. The screenshots of the welcome dialog and of each page are left in
// VERDELO_SCREENSHOT_DIR.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog_pages.h"
#include "app/dialog_texts.h"
#include "app/plant_dialog_win.h"
#include "app/plant_worker_jobs_win.h"
#include "app/welcome_dialog_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/ui/dialog_controls_win.h"
#include "maintenance/tests/scripted_peer.h"
#include "maintenance/update_check_win.h"
#include "plant/growth_simulation.h"
#include "plant/plant_file.h"
#include "resources/plant_dialog_ids.h"
#include "resources/resource_ids.h"
#include "tools/species/default_species.h"
#include "tools/species/species_builder.h"
#include "tools/testdialog/dialog_test_host_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/testsupport/wine_path.h"

namespace plantapp {
namespace {

using dialogtest::DialogTestHost;
using dialogtest::PumpMessages;

constexpr int64_t kNow = 1735689600;  // 2025-01-01
constexpr ostrel::Rect32 kFrame{400, 300, 500, 500};

// A control anywhere below window, by id.
struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

HWND Find(HWND window, int id) {
  Search search{id, nullptr};
  EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The plant dialog's tooltip window.
// The dialog's tooltip: of the tooltips the dialog owns, the one with the most tools (the About
// page's link label has a tooltip of its own, with one).
BOOL CALLBACK MatchTooltip(HWND window, LPARAM found) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != PlantDialogWindow()) return TRUE;
  HWND& best = *reinterpret_cast<HWND*>(found);
  const LRESULT tools = SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0);
  if (best == nullptr || tools > SendMessageA(best, TTM_GETTOOLCOUNT, 0, 0)) best = window;
  return TRUE;
}

// Answers the restart question, when it shows, with gAnswer.
int gAnswer = IDNO;
void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA("#32770", "Verdelo");
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  PostMessageA(box, WM_COMMAND, gAnswer, 0);
}

// Closes the colour chooser once it shows (a dialog of this thread that the plant dialog owns),
// counting it.
int gChoosersShown = 0;
BOOL CALLBACK CancelChooser(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != PlantDialogWindow())
    return TRUE;
  ++gChoosersShown;
  PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}
void CALLBACK CloseChooser(HWND, UINT, UINT_PTR timer, DWORD) {
  const int before = gChoosersShown;
  EnumThreadWindows(GetCurrentThreadId(), CancelChooser, 0);
  if (gChoosersShown != before) KillTimer(nullptr, timer);
}

// A key as the message loop gets it: through the framework's pre-translation and the dialog's
// navigation.
void PressKey(WPARAM key) {
  MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
  gApp.PreTranslateMessage(&down);
  MSG up{GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), 0, {}};
  gApp.PreTranslateMessage(&up);
  PumpMessages();
}

std::string TextOf(HWND window) {
  char text[600] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

// The default species as a plant file, built once (empty when it cannot be built).
const std::vector<uint8_t>& DefaultPlantFile() {
  static const std::vector<uint8_t> file = [] {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!species::BuildPlantFile(species::DefaultSpecies(), &bytes, &why)) bytes.clear();
    return bytes;
  }();
  return file;
}

class PlantDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { dialogtest::PrepareFramework(); }

  void SetUp() override {
    plant_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    plant_.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<uint8_t>& file = DefaultPlantFile();
    ASSERT_FALSE(file.empty());
    std::string why;
    ASSERT_EQ(plant::LoadPlantBytes(plant_, file.data(), file.size(), kNow, &why), plant::LoadResult::Ok) << why;
    plant::PlantRecord& record = plant_.Record();
    record.waterLevel = 0.4;
    record.fertiliserLevel = 0.3;
    record.light = 0.55;
    record.temperature = 21.4;
    record.brightness = 1.13 - 1.0;  // a percent that truncation would read as 112
    record.flags &= ~(plant::kDialogShown | plant::kAutoCare);
    record.stepCount = 25;
    record.secondsPerStep = 3600;
    host_ = std::make_unique<DialogTestHost>(plant_, "Fern");
    host_->SharedBlock().activeFrame = kFrame;
  }

  void TearDown() override {
    host_.reset();
    PumpMessages();
  }

  HWND Open() {
    HWND dialog = OpenPlantDialog(*host_);
    PumpMessages();
    return dialog;
  }

  void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, id, 0);
    PumpMessages();
  }

  static void ShowTab(HWND dialog, int32_t page) {
    HWND tabs = GetDlgItem(dialog, IDC_PAGE_TABS);
    SendMessageA(tabs, TCM_SETCURSEL, page, 0);
    NMHDR change{tabs, IDC_PAGE_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog, WM_NOTIFY, IDC_PAGE_TABS, reinterpret_cast<LPARAM>(&change));
    PumpMessages();
  }

  // The messages of the desktop-draw kind the plant window received, by sub-code.
  std::vector<ostrel::OstrelCode> DesktopCodes() const {
    std::vector<ostrel::OstrelCode> codes;
    for (const dialogtest::Received& r : host_->received) {
      if (r.message == host_->DesktopMessage()) codes.push_back(static_cast<ostrel::OstrelCode>(r.wParam));
    }
    return codes;
  }

  std::vector<WPARAM> Redraws() const {
    std::vector<WPARAM> codes;
    for (const dialogtest::Received& r : host_->received) {
      if (r.message == kPlantRefreshMessage && r.wParam != 4) codes.push_back(r.wParam);
    }
    return codes;
  }

  plant::Plant plant_;
  std::unique_ptr<DialogTestHost> host_;
};

TEST_F(PlantDialog, OpensAtThePlantsCentreAndOkWithNothingTouchedChangesNothing) {
  auto before = std::make_unique<plant::PlantRecord>(plant_.Record());
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "Fern");
  RECT window{};
  GetWindowRect(dialog, &window);
  EXPECT_EQ(window.left, 450);  // the frame's centre
  EXPECT_EQ(window.top, 400);
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_PAGE_TABS), TCM_GETITEMCOUNT, 0, 0), kPageCount);
  EXPECT_EQ(host_->workerDialog, dialog);
  EXPECT_TRUE(plant_.Record().flags & plant::kDialogShown);
  EXPECT_EQ(TextOf(Find(dialog, IDC_BRIGHTNESS)), "113");

  Press(dialog, IDOK);
  EXPECT_EQ(PlantDialogWindow(), nullptr);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(host_->workerDialog, nullptr);
  before->flags |= plant::kDialogShown;
  EXPECT_EQ(std::memcmp(&plant_.Record(), before.get(), sizeof *before), 0);
  EXPECT_TRUE(Redraws().empty());
  EXPECT_EQ(DesktopCodes(), std::vector<ostrel::OstrelCode>{ostrel::OstrelCode::DialogClosed});
  EXPECT_EQ(host_->calls, std::vector<std::string>{"ApplyOptions"});

  // A stored brightness beyond what the field accepts stays as long as the field is not touched.
  plant_.Record().brightness = 0.5;
  dialog = Open();
  EXPECT_EQ(TextOf(Find(dialog, IDC_BRIGHTNESS)), "150");
  Press(dialog, IDOK);
  EXPECT_EQ(plant_.Record().brightness, 0.5);
  EXPECT_TRUE(Redraws().empty());
}

TEST_F(PlantDialog, NearTheRightAndBottomEdgesTheDialogStandsLeftOfAndAboveTheCentre) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  host_->SharedBlock().activeFrame = ostrel::Rect32{width - 130, height - 150, width - 30, height - 50};
  HWND dialog = Open();
  RECT window{};
  GetWindowRect(dialog, &window);
  EXPECT_EQ(window.right, width - 80);
  EXPECT_EQ(window.bottom, height - 100);
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, WaterFromTheButtonLessWhatThePlantDrankIsWhatOkLeaves) {
  HWND dialog = Open();
  HWND add = Find(dialog, IDC_ADD_WATER);
  SendMessageA(add, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // one step at once
  for (int i = 0; i < 3; ++i) SendMessageA(add, WM_TIMER, 4096, 0);
  SendMessageA(add, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(KillTimer(add, 4096)) << "the repeat stops when the button is released";
  Click(Find(dialog, IDC_ADD_FERTILIZER));

  plant_.Record().waterLevel = 0.38;  // the worker's pass: the plant drank 0.02
  SendMessageA(dialog, kPlantRefreshMessage, 0, 0);
  Press(dialog, IDOK);
  EXPECT_NEAR(plant_.Record().waterLevel, 0.4 + 0.04 - 0.02, 1e-12);
  EXPECT_NEAR(plant_.Record().fertiliserLevel, 0.31, 1e-12);
}

TEST_F(PlantDialog, RepeatStopsWhenTheButtonLosesTheCaptureOrGoes) {
  HWND dialog = Open();
  HWND add = Find(dialog, IDC_ADD_WATER);
  SendMessageA(add, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ASSERT_EQ(GetCapture(), add);
  ReleaseCapture();  // as when another window takes the mouse without a button-up
  EXPECT_FALSE(KillTimer(add, 4096));

  SendMessageA(add, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Press(dialog, IDCANCEL);  // the page and its button go while the button is held
  EXPECT_FALSE(KillTimer(add, 4096));
  EXPECT_EQ(plant_.Record().waterLevel, 0.4);  // Cancel dropped both steps
}

TEST_F(PlantDialog, OptionsAndBrightnessAsOkWritesThem) {
  plant_.Record().potColour = plant::StoredColour{0, 1, 2, 3};  // not the default pot colour
  HWND dialog = Open();
  Click(Find(dialog, IDC_AUTOSTART));
  Click(Find(dialog, IDC_IDLE_CPU));
  Click(Find(dialog, IDC_FAHRENHEIT));
  Click(Find(dialog, IDC_SET_DEFAULT));
  EXPECT_EQ(TextOf(Find(dialog, IDC_BRIGHTNESS)), "100");
  SetWindowTextA(Find(dialog, IDC_BRIGHTNESS), "150");  // beyond the field's range: 100
  Press(dialog, IDOK);

  EXPECT_TRUE(host_->options.autostart);
  EXPECT_FALSE(host_->options.idleCpu);
  EXPECT_TRUE(host_->options.fahrenheit);
  EXPECT_FALSE(host_->options.followScreenMode);
  EXPECT_EQ(plant_.Record().brightness, 0.0);
  EXPECT_EQ(std::memcmp(&plant_.Record().potColour, &plant_.Record().defaultPotColour, 4), 0);
  EXPECT_EQ(Redraws(), std::vector<WPARAM>{2});  // brightness and colour: one redraw
}

TEST_F(PlantDialog, CancelPutsBackOnlyAPlantTheUserMoved) {
  HWND dialog = Open();
  Click(Find(dialog, IDC_MOVE_LEFT));
  PumpMessages();
  ASSERT_FALSE(host_->received.empty());
  EXPECT_EQ(host_->received[0].message, kPlantRefreshMessage);
  EXPECT_EQ(host_->received[0].wParam, 4u);
  EXPECT_EQ(host_->received[0].lParam, 1);
  // The plant window carries the move out: a new frame and anchor.
  host_->SharedBlock().activeFrame = ostrel::Rect32{374, 300, 474, 500};
  plant_.Record().anchorX -= 0.02;
  Click(Find(dialog, IDC_ADD_WATER));
  Press(dialog, IDCANCEL);
  EXPECT_EQ(host_->SharedBlock().activeFrame, kFrame);
  EXPECT_EQ(DesktopCodes(),
            (std::vector<ostrel::OstrelCode>{ostrel::OstrelCode::FrameChanged, ostrel::OstrelCode::DialogClosed}));
  EXPECT_EQ(plant_.Record().waterLevel, 0.4);
  EXPECT_TRUE(host_->calls.empty());

  // The plant only grew (the renderer moved the frame): Cancel leaves it alone.
  host_->received.clear();
  dialog = Open();
  host_->SharedBlock().activeFrame = ostrel::Rect32{395, 280, 505, 500};
  Press(dialog, IDCANCEL);
  EXPECT_EQ(DesktopCodes(), std::vector<ostrel::OstrelCode>{ostrel::OstrelCode::DialogClosed});
  EXPECT_EQ(host_->SharedBlock().activeFrame, (ostrel::Rect32{395, 280, 505, 500}));
}

TEST_F(PlantDialog, TemperatureInTheUnitTheOptionsPageShows) {
  HWND dialog = Open();
  HWND slider = Find(dialog, IDC_TEMPERATURE);
  EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 214);
  EXPECT_EQ(TextOf(Find(dialog, IDC_TEMPERATURE_TEXT)), "21 \xB0" "C");
  SendMessageA(slider, TBM_SETPOS, TRUE, 215);
  SendMessageA(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 215), reinterpret_cast<LPARAM>(slider));
  EXPECT_EQ(TextOf(Find(dialog, IDC_TEMPERATURE_TEXT)), "22 \xB0" "C");  // 21.5
  ShowTab(dialog, kOptionsPage);
  Click(Find(dialog, IDC_FAHRENHEIT));
  ShowTab(dialog, kCarePage);
  EXPECT_EQ(TextOf(Find(dialog, IDC_TEMPERATURE_TEXT)), "71 \xB0" "F");  // 70.7
  Press(dialog, IDOK);
  EXPECT_EQ(plant_.Record().temperature, 21.5);
}

TEST_F(PlantDialog, InfoShowsAgeAndHealthAndRestartAsksFirst) {
  HWND dialog = Open();
  EXPECT_EQ(TextOf(Find(dialog, IDC_AGE)), "1 day, 1 hour");
  EXPECT_EQ(TextOf(Find(dialog, IDC_HEALTH)), HealthText(plant::ComputePlantHealth(plant_)));
  EXPECT_EQ(TextOf(Find(dialog, IDC_PLANT_NAME)), "Fern");
  plant_.Record().stepCount = 721;
  SendMessageA(dialog, kPlantRefreshMessage, 0, 0);
  EXPECT_EQ(TextOf(Find(dialog, IDC_AGE)), "1 month, 0 days");

  for (int answer : {IDNO, IDYES}) {
    gAnswer = answer;
    SetTimer(nullptr, 0, 50, AnswerQuestion);
    Click(Find(dialog, IDC_RESTART));
  }
  EXPECT_EQ(host_->calls, std::vector<std::string>{"RestartPlant"});
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, PageIsRememberedHelpFollowsItAndTheSystemMenuQuits) {
  HWND dialog = Open();
  ShowTab(dialog, kInfoPage);
  Press(dialog, IDC_HELP_BUTTON);
  Press(dialog, IDOK);
  dialog = Open();
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_PAGE_TABS), TCM_GETCURSEL, 0, 0), kInfoPage);
  EXPECT_TRUE(IsWindowVisible(GetParent(Find(dialog, IDC_AGE))));
  EXPECT_FALSE(IsWindowVisible(GetParent(Find(dialog, IDC_WATER_BAR))));
  EXPECT_EQ(host_->calls[0], "OpenHelp Verdelo.chm PlantInfo.htm");

  // The system keeps the low four bits of the command for itself.
  SendMessageA(dialog, WM_SYSCOMMAND, kQuitMenuItem | 0x2, 0);
  EXPECT_TRUE(PumpMessages()) << "WM_QUIT";
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, KeysOnAPageReachTheWholeDialogThroughTheMessageLoop) {
  HWND dialog = Open();
  ShowTab(dialog, kCarePage);
  HWND temperature = Find(dialog, IDC_TEMPERATURE);
  SetFocus(temperature);  // the Care page's last control
  MSG tab{temperature, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  gApp.PreTranslateMessage(&tab);
  EXPECT_EQ(GetParent(GetFocus()), dialog) << "Tab goes on to the dialog's own controls";
  MSG escape{Find(dialog, IDC_LIGHT), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  gApp.PreTranslateMessage(&escape);
  PumpMessages();
  EXPECT_EQ(PlantDialogWindow(), nullptr) << "Escape on a page cancels the dialog";
}

TEST_F(PlantDialog, ANewDpiGivesTabIconsOfItsSize) {
  HWND dialog = Open();
  HWND tabs = GetDlgItem(dialog, IDC_PAGE_TABS);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0)), &width, &height);
  HDC screen = GetDC(nullptr);
  const int startDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(width, startDpi * 16 / 96);  // the test may run at 96 or 144 DPI
  RECT suggested{};
  GetWindowRect(dialog, &suggested);
  SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0));
  ImageList_GetIconSize(icons, &width, &height);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(ImageList_GetImageCount(icons), kPageCount);
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, EveryControlWithATooltipTextHasItsTooltip) {
  HWND dialog = Open();
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), MatchTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 29);
  char text[64] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(Find(dialog, IDC_ADD_WATER));
  tool.uId = reinterpret_cast<UINT_PTR>(Find(dialog, IDC_ADD_WATER));
  tool.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Add water");
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, WelcomeOnlyForANewPlant) {
  HWND welcome = ShowWelcome(*host_);
  ASSERT_NE(welcome, nullptr);
  EXPECT_EQ(TextOf(welcome), "Welcome to Verdelo");
  EXPECT_EQ(TextOf(GetDlgItem(welcome, IDC_WELCOME_NAME)), "Fern");
  EXPECT_EQ(host_->calls, std::vector<std::string>{"RegisterAutostart"});
  SendMessageA(welcome, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(welcome));

  plant_.Record().flags |= plant::kDialogShown;
  EXPECT_EQ(ShowWelcome(*host_), nullptr);
  EXPECT_EQ(host_->calls.size(), 1u);
}

// Waits up to `milliseconds` for condition, serving this thread's windows meanwhile.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    PumpMessages();
    Sleep(20);
  }
  return true;
}

// The start-up's update check finds a new version while a new plant's welcome is open: its notice
// (opened by the check's own thread) waits until the welcome is closed instead of hiding it.
TEST_F(PlantDialog, AnUpdateNoticeWaitsUntilTheWelcomeIsClosed) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::snprintf(gApp.dataFolder, sizeof gApp.dataFolder, "%sverdelo_update_notice", temp);
  CreateDirectoryA(gApp.dataFolder, nullptr);
  DeleteFileA((std::string(gApp.dataFolder) + "\(ZRF)UpdateCheck.zrd").c_str());  // no version seen yet
  lstrcpynA(gApp.install.updateCheckAddress, "http://updates.example/version.txt",
            sizeof gApp.install.updateCheckAddress);
  maintenance::testing::ScriptedPeer server;
  server.Add("HTTP/1.0 200 OK\r\n\r\n99.0.0\r\n");

  HWND welcome = ShowWelcome(*host_);
  ASSERT_NE(welcome, nullptr);
  ASSERT_EQ(StartUpdateCheck(), kUpdateCheckStarted);
  EXPECT_FALSE(WaitFor([] { return UpdateCheckDialog() != nullptr; }, 2000)) << "the notice hid the welcome";
  SendMessageA(welcome, WM_COMMAND, IDOK, 0);
  HWND notice = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (notice = UpdateCheckDialog()) != nullptr; }, 10000));
  EXPECT_TRUE(WaitFor([&] { return TextOf(GetDlgItem(notice, IDC_UPDATE_STATUS)) == "New version available"; }, 5000));
  EXPECT_EQ(TextOf(GetDlgItem(notice, IDC_UPDATE_AVAILABLE)), "99.0.0");  // without the line break
  PostMessageA(notice, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(notice) && !IsUpdateCheckRunning(); }, 5000));
}

// ---- Pictures and layout at 96 DPI ----------------------------------------------------------------

// Whether child shows its text on one line: a button (not a group box or a picture) or a static of
// a text type, at most one line high.
bool ShowsOneLineOfText(HWND child, const char* className) {
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  RECT rect{};
  GetWindowRect(child, &rect);
  if (rect.bottom - rect.top >= 20) return false;
  if (lstrcmpiA(className, "Button") == 0) return (style & BS_BITMAP) == 0 && (style & 0xF) != BS_GROUPBOX;
  const LONG type = style & SS_TYPEMASK;
  return lstrcmpiA(className, "Static") == 0 &&
         (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP);
}

// Whether the text of child is wider than the control (with a check box's or radio's mark).
bool IsClipped(HWND child, const char* className) {
  const std::string text = TextOf(child);
  HDC dc = GetDC(child);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(child, dc);
  const int mark = lstrcmpiA(className, "Button") == 0 ? 18 : 0;
  RECT rect{};
  GetWindowRect(child, &rect);
  return extent.cx + mark > rect.right - rect.left;
}

// Controls of window (not its child dialogs) whose one-line text does not fit them, and pairs that
// overlap, group boxes (which hold others) and an up-down with its buddy (which it borders) apart.
std::vector<std::string> LayoutFaults(HWND window) {
  struct Control {
    HWND window;
    RECT rect;
    bool mayOverlap;
  };
  std::vector<Control> controls;
  std::vector<std::string> faults;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "#32770") == 0 || !IsWindowVisible(child)) continue;
    if (ShowsOneLineOfText(child, name) && IsClipped(child, name)) faults.push_back("clipped: " + TextOf(child));
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    const bool groupBox = lstrcmpiA(name, "Button") == 0 && (style & 0xF) == BS_GROUPBOX;
    const bool buddied = lstrcmpiA(name, UPDOWN_CLASSA) == 0 || GetDlgCtrlID(child) == IDC_BRIGHTNESS;
    RECT rect{};
    GetWindowRect(child, &rect);
    controls.push_back(Control{child, rect, groupBox || buddied});
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      RECT overlap{};
      if (!controls[i].mayOverlap && !controls[j].mayOverlap &&
          IntersectRect(&overlap, &controls[i].rect, &controls[j].rect)) {
        faults.push_back("overlap: " + std::to_string(GetDlgCtrlID(controls[i].window)) + " and " +
                         std::to_string(GetDlgCtrlID(controls[j].window)));
      }
    }
  }
  return faults;
}

void Picture(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
  PumpMessages();
  Sleep(150);  // Xvfb shows what Wine drew a moment later
  EXPECT_TRUE(SaveWindowPicture(window, ToWinePath(std::string(VERDELO_SCREENSHOT_DIR) + "/" + name)));
}

// The screen's colour at a point of window's client area.
COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Sends inputs as the user's own, then takes the queue through the framework's pre-translation,
// as the program's message loop does, until a message `until` with wParam `untilParam` has gone
// through (at most 2 s).
void InputThroughTheLoop(std::vector<INPUT> inputs, UINT until, WPARAM untilParam) {
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
  bool through = false;
  const ULONGLONG end = GetTickCount64() + 2000;
  while (!through && GetTickCount64() < end) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      continue;
    }
    through = message.message == until && message.wParam == untilParam;
    gApp.PreTranslateMessage(&message);
  }
  EXPECT_TRUE(through) << "the input did not reach the dialog";
  PumpMessages();
}

// Keys as a user types them: down in the order given, up in the reverse.
void Type(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  InputThroughTheLoop(inputs, WM_KEYUP, *keys.begin());
}

// A click of the left button in the middle of window; what the press opens (a modal chooser)
// has closed again when this returns.
void ClickWithTheMouse(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  std::vector<INPUT> inputs(3);
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = ((rect.left + rect.right) / 2) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ((rect.top + rect.bottom) / 2) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
  }
  inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  InputThroughTheLoop(inputs, WM_LBUTTONDOWN, MK_LBUTTON);
}

TEST_F(PlantDialog, TheBrightnessFieldShowsItsWholeNumberAfterTabbingThrough) {
  HWND dialog = Open();
  ShowTab(dialog, kOptionsPage);
  Click(Find(dialog, IDC_SET_DEFAULT));  // "100"
  HWND field = Find(dialog, IDC_BRIGHTNESS);
  SetFocus(Find(dialog, IDC_CENTIGRADE));
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), field);
  PressKey(VK_TAB);
  EXPECT_NE(GetFocus(), field);
  // For a single-line field: the index of the first character shown.
  EXPECT_EQ(SendMessageA(field, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the number's start is scrolled away";
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, ColourPatchesFillTheirFrameAndAClickOrAKeyOpensTheChooserFromAFocusedPatch) {
  HWND dialog = Open();
  SetForegroundWindow(dialog);
  ShowTab(dialog, kOptionsPage);
  HWND pot = Find(dialog, IDC_POT_COLOUR);
  HWND saucer = Find(dialog, IDC_SAUCER_COLOUR);
  const plant::StoredColour stored = plant_.Record().potColour;
  const COLORREF potColour = RGB(stored.red, stored.green, stored.blue);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
  PumpMessages();
  Sleep(150);  // Xvfb shows what Wine drew a moment later
  RECT client{};
  GetClientRect(pot, &client);
  const int middleX = client.right / 2;
  const int middleY = client.bottom / 2;
  // The fill covers the inside of the two-pixel etched frame, and nothing of the frame.
  EXPECT_EQ(ScreenPixel(pot, 2, middleY), potColour);
  EXPECT_EQ(ScreenPixel(pot, client.right - 3, middleY), potColour);
  EXPECT_EQ(ScreenPixel(pot, middleX, 2), potColour);
  EXPECT_EQ(ScreenPixel(pot, middleX, client.bottom - 3), potColour);
  for (int edge : {1, 2}) {
    EXPECT_NE(ScreenPixel(pot, client.right - edge, middleY), potColour) << "right frame line " << edge;
    EXPECT_NE(ScreenPixel(pot, middleX, client.bottom - edge), potColour) << "bottom frame line " << edge;
  }

  // A single click opens the chooser and gives the patch the focus, which is there when the
  // chooser has closed, not on Cancel, which had it before.
  FocusDialogControl(GetDlgItem(dialog, IDCANCEL));
  gChoosersShown = 0;
  SetTimer(nullptr, 0, 50, CloseChooser);
  ClickWithTheMouse(pot);
  EXPECT_EQ(gChoosersShown, 1);
  EXPECT_EQ(GetFocus(), pot);
  // Tab reaches both patches after the brightness field, which show a focus mark; Space and
  // Enter open the chooser, and Enter does not close the dialog.
  SetFocus(Find(dialog, IDC_BRIGHTNESS));
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), pot);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), saucer);
  Picture(dialog, "plant_dialog_options_saucer_focused.bmp");
  SetTimer(nullptr, 0, 50, CloseChooser);
  PressKey(VK_SPACE);
  SetTimer(nullptr, 0, 50, CloseChooser);
  PressKey(VK_RETURN);
  EXPECT_EQ(gChoosersShown, 3);
  EXPECT_EQ(PlantDialogWindow(), dialog);
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, CtrlTabCtrlPageKeysAndTheTabStripsArrowsTurnThePagesAndTheFocusGoesWithThem) {
  HWND dialog = Open();
  SetForegroundWindow(dialog);
  HWND tabs = GetDlgItem(dialog, IDC_PAGE_TABS);
  auto shown = [&] { return static_cast<int32_t>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)); };
  auto focused = [] { return GetDlgCtrlID(GetFocus()); };
  ShowTab(dialog, kCarePage);
  HWND light = Find(dialog, IDC_LIGHT);
  SetFocus(light);

  // Forward and round: each page's first control takes the focus. The slider that had it does
  // not move a page's worth, and a check box does not pass the focus on as Tab would.
  Type({VK_CONTROL, VK_NEXT});
  EXPECT_EQ(shown(), kOptionsPage);
  EXPECT_EQ(focused(), IDC_AUTOSTART);
  EXPECT_TRUE(IsWindowVisible(GetFocus()));
  EXPECT_EQ(SendMessageA(light, TBM_GETPOS, 0, 0), 550);
  Type({VK_CONTROL, VK_TAB});
  EXPECT_EQ(shown(), kInfoPage);
  EXPECT_EQ(focused(), IDC_RESTART);
  Type({VK_CONTROL, VK_NEXT});
  EXPECT_EQ(shown(), kAboutPage);
  EXPECT_EQ(focused(), IDC_ABOUT_BUTTON);
  Type({VK_CONTROL, VK_TAB});
  EXPECT_EQ(shown(), kCarePage);
  EXPECT_EQ(focused(), IDC_ADD_WATER);
  // Back and round.
  Type({VK_CONTROL, VK_SHIFT, VK_TAB});
  EXPECT_EQ(shown(), kAboutPage);
  Type({VK_CONTROL, VK_PRIOR});
  EXPECT_EQ(shown(), kInfoPage);
  EXPECT_EQ(focused(), IDC_RESTART);
  Type({VK_CONTROL, VK_PRIOR});
  Type({VK_CONTROL, VK_PRIOR});
  EXPECT_EQ(shown(), kCarePage);

  // The strip is the stop before the page's first control; its arrows turn the pages and keep
  // the focus; Tab goes on into the page shown, and from Help round to the strip.
  Type({VK_SHIFT, VK_TAB});
  ASSERT_EQ(GetFocus(), tabs);
  Type({VK_RIGHT});
  Type({VK_RIGHT});
  EXPECT_EQ(shown(), kInfoPage);
  Type({VK_LEFT});
  EXPECT_EQ(shown(), kOptionsPage);
  EXPECT_EQ(GetFocus(), tabs);
  Picture(dialog, "plant_dialog_tab_strip_focused.bmp");
  Type({VK_TAB});
  EXPECT_EQ(focused(), IDC_AUTOSTART);
  Type({VK_SHIFT, VK_TAB});
  EXPECT_EQ(GetFocus(), tabs);
  Type({VK_SHIFT, VK_TAB});
  EXPECT_EQ(focused(), IDC_HELP_BUTTON);
  Type({VK_TAB});
  EXPECT_EQ(GetFocus(), tabs);
  Press(dialog, IDCANCEL);
}

TEST_F(PlantDialog, PicturesOfEachPageAndTheWelcomeWithNothingClippedOrOverlapping) {
  HWND welcome = ShowWelcome(*host_);
  Picture(welcome, "welcome.bmp");
  EXPECT_EQ(LayoutFaults(welcome), std::vector<std::string>{});
  DestroyWindow(welcome);

  HWND dialog = Open();
  SetForegroundWindow(dialog);
  EXPECT_EQ(LayoutFaults(dialog), std::vector<std::string>{});
  const char* names[kPageCount] = {"plant_dialog_care.bmp", "plant_dialog_options.bmp", "plant_dialog_info.bmp",
                                   "plant_dialog_about.bmp"};
  const int pageControls[kPageCount] = {IDC_WATER_BAR, IDC_AUTOSTART, IDC_AGE, IDC_PRODUCT_VERSION};
  for (int32_t page = 0; page < kPageCount; ++page) {
    ShowTab(dialog, page);
    Picture(dialog, names[page]);
    HWND pageWindow = GetParent(Find(dialog, pageControls[page]));
    EXPECT_EQ(LayoutFaults(pageWindow), std::vector<std::string>{}) << names[page];
    RECT pageRect{};
    RECT tabRect{};
    GetWindowRect(pageWindow, &pageRect);
    GetWindowRect(GetDlgItem(dialog, IDC_PAGE_TABS), &tabRect);
    RECT inside{};
    IntersectRect(&inside, &pageRect, &tabRect);
    EXPECT_TRUE(EqualRect(&inside, &pageRect)) << names[page] << " lies inside the tab control";
    if (page == kCarePage) {
      // The water bar at 0.4: a tenth of the way in, it shows the bar's blue.
      RECT bar{};
      GetWindowRect(Find(dialog, IDC_WATER_BAR), &bar);
      HDC screen = GetDC(nullptr);
      EXPECT_EQ(GetPixel(screen, bar.left + (bar.right - bar.left) / 10, (bar.top + bar.bottom) / 2), RGB(0, 0, 200));
      ReleaseDC(nullptr, screen);
    }
  }
  Press(dialog, IDCANCEL);
}

}  // namespace
}  // namespace plantapp
