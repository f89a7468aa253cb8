// The framework message box under Wine: every icon and button set, the default button, one and
// fifteen lines, long lines shown whole, button presses and Escape read back from the live
// dialog, nesting, the modal depth with its busy overlay, the focus afterwards, and pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/data_folders_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/style/font_lists.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/message_box_layout.h"
#include "framework/windows/zrf_window_win.h"
#include "resources/resource_ids.h"
#include "tools/testsupport/thread_dialogs_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

// What the timer saw of an open box.
struct Seen {
  bool found = false;
  std::string firstLine;
  bool hasOtherLines = false;
  std::string otherLines;
  std::vector<int> visibleButtons;
  int defaultStyleButton = 0;  // the one button with BS_DEFPUSHBUTTON
  int focused = 0;
  std::string buttonTexts[4];
  HFONT firstLineFont = nullptr;
  SIZE firstLineSize{};
  RECT window{};
  int32_t modalDepth = -1;
  int dpi = 0;
};

constexpr int kIds[4] = {1, 2, 6, 7};

std::string TextOf(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

Seen Read(HWND box) {
  Seen seen;
  seen.found = true;
  seen.firstLine = TextOf(GetDlgItem(box, IDC_MESSAGE_FIRST_LINE));
  seen.firstLineFont =
      reinterpret_cast<HFONT>(SendDlgItemMessageA(box, IDC_MESSAGE_FIRST_LINE, WM_GETFONT, 0, 0));
  RECT first;
  GetWindowRect(GetDlgItem(box, IDC_MESSAGE_FIRST_LINE), &first);
  seen.firstLineSize = {first.right - first.left, first.bottom - first.top};
  HWND other = GetDlgItem(box, IDC_MESSAGE_OTHER_LINES);
  seen.hasOtherLines = other != nullptr;
  if (other != nullptr) seen.otherLines = TextOf(other);
  HWND focus = GetFocus();
  for (int i = 0; i < 4; ++i) {
    HWND button = GetDlgItem(box, kIds[i]);
    if (IsWindowVisible(button)) seen.visibleButtons.push_back(kIds[i]);
    if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      seen.defaultStyleButton = kIds[i];
    if (button == focus) seen.focused = kIds[i];
    seen.buttonTexts[i] = TextOf(button);
  }
  GetWindowRect(box, &seen.window);
  seen.modalDepth = gApp.modalDepth;
  seen.dpi = DpiForWindow(box);
  return seen;
}

// Runs `show` while a timer waits for the box titled `caption`, reads it, calls `act` (which
// presses something) and returns what it read.
struct Driver {
  Driver(const char* boxCaption, std::function<void(HWND)> action)
      : caption(boxCaption), act(std::move(action)) {}
  const char* caption;
  std::function<void(HWND)> act;
  Seen seen;
  int ticks = 0;
};
Driver* gDriver = nullptr;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  Driver* driver = gDriver;
  if (driver == nullptr) return;
  HWND box = FindThreadDialog(driver->caption);
  if (box == nullptr) {
    if (++driver->ticks > 100) KillTimer(nullptr, timer);  // the test then fails on `found`
    return;
  }
  KillTimer(nullptr, timer);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  driver->seen = Read(box);
  gDriver = nullptr;
  driver->act(box);
}

void Press(HWND box, int id) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

int32_t RunBox(Driver& driver, HWND owner, const char* text, uint32_t style, int32_t focusId = 0) {
  gDriver = &driver;
  SetTimer(nullptr, 0, 50, OnTimer);
  return gApp.MessageDialog(owner, driver.caption, "%s", style, focusId, text);
}

std::string Lines(int from, int to) {
  std::string text;
  for (int k = from; k <= to; ++k) {
    if (!text.empty()) text += "\n";
    text += "Line " + std::to_string(k);
  }
  return text;
}

TEST(MessageBoxWin, ButtonSetsDefaultsAndResults) {
  struct Case {
    uint32_t style;
    std::vector<int> visible;
    int defaultButton;
    int press;  // 0: Escape
    int32_t result;
  };
  const Case cases[] = {
      {0x111, {1}, 1, 1, 1},        // error, OK
      {0x112, {1}, 1, 1, 1},        // warning, OK
      {0x114, {1}, 1, 1, 1},        // information, OK
      {0x128, {1, 2}, 1, 2, 2},     // question, OK and Cancel
      {0x328, {1, 2}, 1, 1, 1},     // OK default
      {0x428, {1, 2}, 2, 2, 2},     // Cancel default
      {0x48, {6, 7}, 6, 6, 6},      // Yes and No
      {0x1048, {6, 7}, 7, 0, 2},    // No default; Escape gives Cancel's id
      {0x188, {2, 6, 7}, 6, 7, 7},  // Yes, No, Cancel
      {0x588, {2, 6, 7}, 2, 2, 2},  // Cancel default
      {0x888, {2, 6, 7}, 6, 0, 2},  // Yes default, Escape
      {0x2014, {1}, 1, 0, 2},       // caption icon, Escape on OK only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
    Driver driver{"Sets", [&](HWND box) {
                    if (c.press != 0) {
                      Press(box, c.press);
                    } else {
                      PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                    }
                  }};
    EXPECT_EQ(RunBox(driver, nullptr, "A question?", c.style), c.result);
    ASSERT_TRUE(driver.seen.found);
    EXPECT_EQ(driver.seen.visibleButtons, c.visible);
    EXPECT_EQ(driver.seen.defaultStyleButton, c.defaultButton);
    EXPECT_EQ(driver.seen.focused, c.defaultButton);
    EXPECT_EQ(driver.seen.buttonTexts[0], "OK");
    EXPECT_EQ(driver.seen.buttonTexts[1], "Cancel");
    EXPECT_EQ(driver.seen.buttonTexts[2], "Yes");
    EXPECT_EQ(driver.seen.buttonTexts[3], "No");
    EXPECT_EQ(driver.seen.modalDepth, 1);
  }
  EXPECT_EQ(gApp.modalDepth, 0);
}

TEST(MessageBoxWin, OneLineFifteenLinesAndMore) {
  {
    Driver driver{"Lines", [](HWND box) { Press(box, 1); }};
    EXPECT_EQ(RunBox(driver, nullptr, "Only one line", 0x114), 1);
    EXPECT_EQ(driver.seen.firstLine, "Only one line");
    EXPECT_FALSE(driver.seen.hasOtherLines);
    // The control is sized to the measured text (0x100 in 0x114: a bold first line).
    int32_t w = 0;
    int32_t h = 0;
    gApp.style.MeasureTextUI("Only one line", &w, &h, true, 96);
    ASSERT_GT(w, 20);
    EXPECT_EQ(driver.seen.dpi, 96);
    EXPECT_EQ(driver.seen.firstLineSize.cx, w + 8);
    EXPECT_EQ(driver.seen.firstLineSize.cy, h + 3);
  }
  {
    Driver driver{"Lines", [](HWND box) { Press(box, 1); }};
    EXPECT_EQ(RunBox(driver, nullptr, "First\r\nSecond", 0x114), 1);
    EXPECT_EQ(driver.seen.firstLine, "First");
    EXPECT_TRUE(driver.seen.hasOtherLines);
    EXPECT_EQ(driver.seen.otherLines, "Second");
  }
  RECT fifteen{};
  {
    Driver driver{"Lines", [](HWND box) { Press(box, 1); }};
    EXPECT_EQ(RunBox(driver, nullptr, Lines(1, 15).c_str(), 0x114), 1);
    EXPECT_EQ(driver.seen.firstLine, "Line 1");
    EXPECT_EQ(driver.seen.otherLines, Lines(2, 15));
    fifteen = driver.seen.window;
  }
  {
    // Lines past the fifteenth are shown in the second control but not measured: the box keeps
    // the height it has for fifteen.
    Driver driver{"Lines", [](HWND box) { Press(box, 1); }};
    EXPECT_EQ(RunBox(driver, nullptr, Lines(1, 20).c_str(), 0x114), 1);
    EXPECT_EQ(driver.seen.otherLines, Lines(2, 20));
    EXPECT_EQ(driver.seen.window.bottom - driver.seen.window.top, fifteen.bottom - fifteen.top);
  }
  {
    Driver driver{"Lines", [](HWND box) { Press(box, 1); }};
    EXPECT_EQ(RunBox(driver, nullptr, "", 0x114), 1);
    EXPECT_EQ(driver.seen.firstLine, "");
    EXPECT_FALSE(driver.seen.hasOtherLines);
  }
}

TEST(MessageBoxWin, BoldFirstLineAndCaptionFromTheProductName) {
  Driver driver{"Bold", [](HWND box) { Press(box, 1); }};
  EXPECT_EQ(RunBox(driver, nullptr, "Heading\nBody text", 0x114), 1);
  EXPECT_EQ(driver.seen.firstLineFont, gApp.style.FontForDpi(kFontUIBold, 96));
  Driver plain{"Plain", [](HWND box) { Press(box, 1); }};
  EXPECT_EQ(RunBox(plain, nullptr, "Heading\nBody text", 0x14), 1);
  EXPECT_EQ(plain.seen.firstLineFont, gApp.style.FontForDpi(kFontUI, 96));

  // A null caption is the product name (here a framework text stands in for it); a null format
  // shows an empty text.
  const uint16_t savedProduct = gApp.productStringId;
  gApp.productStringId = 0xF004;
  Driver named{"Ready", [](HWND box) { Press(box, 1); }};
  gDriver = &named;
  SetTimer(nullptr, 0, 50, OnTimer);
  EXPECT_EQ(gApp.MessageDialog(nullptr, nullptr, "Value %d of %s", 0x114, 0, 7, "seven"), 1);
  EXPECT_TRUE(named.seen.found);
  EXPECT_EQ(named.seen.firstLine, "Value 7 of seven");
  gApp.productStringId = savedProduct;

  Driver empty{"Null format", [](HWND box) { Press(box, 1); }};
  gDriver = &empty;
  SetTimer(nullptr, 0, 50, OnTimer);
  EXPECT_EQ(gApp.MessageDialog(nullptr, "Null format", nullptr, 0x110, 0), 1);
  EXPECT_EQ(empty.seen.firstLine, "");
}

TEST(MessageBoxWin, DpiChangeGivesTheFontsForTheNewDpi) {
  HFONT firstLine = nullptr;
  HFONT yes = nullptr;
  HFONT no = nullptr;
  Driver driver{
      "Dpi", [&](HWND box) {
        RECT suggested;
        GetWindowRect(box, &suggested);
        SendMessageA(box, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        firstLine =
            reinterpret_cast<HFONT>(SendDlgItemMessageA(box, IDC_MESSAGE_FIRST_LINE, WM_GETFONT, 0, 0));
        yes = reinterpret_cast<HFONT>(SendDlgItemMessageA(box, 6, WM_GETFONT, 0, 0));
        no = reinterpret_cast<HFONT>(SendDlgItemMessageA(box, 7, WM_GETFONT, 0, 0));
        Press(box, 7);
      }};
  EXPECT_EQ(RunBox(driver, nullptr, "Heading\nBody", 0x148), 7);
  EXPECT_EQ(firstLine, gApp.style.FontForDpi(kFontUIBold, 144));
  EXPECT_EQ(yes, gApp.style.FontForDpi(kFontUIBold, 144));
  EXPECT_EQ(no, gApp.style.FontForDpi(kFontUI, 144));
}

TEST(MessageBoxWin, NestedBoxesKeepTheirOwnParameters) {
  Seen inner;
  Seen outerAfter;
  Driver outer{"Outer", [&](HWND box) {
                 Driver nested{"Inner", [](HWND innerBox) { Press(innerBox, 6); }};
                 EXPECT_EQ(RunBox(nested, box, "Inner box", 0x48), 6);
                 inner = nested.seen;
                 // The outer box re-applies its default button from its own parameters.
                 SendMessageA(box, WM_SHOWWINDOW, TRUE, 0);
                 outerAfter = Read(box);
                 Press(box, 2);
               }};
  EXPECT_EQ(RunBox(outer, nullptr, "Outer box", 0x428), 2);
  EXPECT_EQ(inner.defaultStyleButton, 6);
  EXPECT_EQ(inner.modalDepth, 2);
  EXPECT_EQ(outerAfter.defaultStyleButton, 2);
  EXPECT_EQ(outerAfter.visibleButtons, (std::vector<int>{1, 2}));
  EXPECT_EQ(gApp.modalDepth, 0);
}

TEST(MessageBoxWin, OwnerIsBusyMeanwhileAndItsFieldGetsTheFocusAfterwards) {
  ASSERT_GE(gApp.CreateZrfWindow(0, ZrfWindowProc, "Owner", 1, 0, 100, 100, 500, 300), 0);
  CZrfWindow* owner = gApp.FindWindowByIndex(0);
  ASSERT_NE(owner, nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "abcdef", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 24,
                              owner->window, reinterpret_cast<HMENU>(300), nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  bool busyInside = false;
  bool ownerVisibleInside = false;
  HWND boxOwner = nullptr;
  Driver driver{"Owned", [&](HWND box) {
                  busyInside = owner->busyOverlay != nullptr && IsWindow(owner->busyOverlay);
                  ownerVisibleInside = IsWindowVisible(owner->window) != FALSE;
                  boxOwner = GetWindow(box, GW_OWNER);
                  Press(box, 1);
                }};
  EXPECT_EQ(RunBox(driver, owner->window, "Busy owner", 0x114, 300), 1);
  EXPECT_TRUE(busyInside);
  EXPECT_TRUE(ownerVisibleInside);
  EXPECT_EQ(boxOwner, owner->window);
  EXPECT_EQ(owner->busyOverlay, nullptr);
  EXPECT_EQ(GetFocus(), edit);
  DWORD start = 1;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 6u);
  gApp.DestroyZrfWindows();
}

// A path as long as a data or plant path gets, with spaces, separators and one long name.
std::string LongPath(const char* fileName) {
  std::string path =
      "C:\\Documents and Settings\\Annemarie Vandersteen-Whitfield\\Application Data\\Brambeck\\";
  path += std::string(60, 'V') + "\\Plants of the south-facing kitchen window\\";
  path += fileName;
  return path;
}

// Every line a text control of the box shows fits the control, and the control fits the box.
void ExpectShownWhole(HWND box, int id, std::string* shown) {
  HWND control = GetDlgItem(box, id);
  if (control == nullptr) return;
  RECT client;
  GetClientRect(control, &client);
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
  RECT boxClient;
  GetClientRect(box, &boxClient);
  EXPECT_GE(place.left, 0);
  EXPECT_GE(place.top, 0);
  EXPECT_LE(place.right, boxClient.right) << id;
  EXPECT_LE(place.bottom, boxClient.bottom) << id;

  const std::string text = TextOf(control);
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  int height = 0;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    RECT measured{};
    DrawTextA(dc, line.empty() ? " " : line.c_str(), -1, &measured,
              DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    EXPECT_LE(measured.right, client.right) << line;
    height += measured.bottom;
    *shown += line;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  EXPECT_LE(height, client.bottom) << id;
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
}

std::string WithoutLineFeeds(std::string text) {
  std::erase(text, '\n');
  return text;
}

// Shows `text` as an error with a bold first line and checks that the box, inside the work area,
// shows every character of it; `picture` names a file for a picture of the box, or is null.
void ExpectWholeText(const std::string& text, const char* picture) {
  std::string shown;
  RECT window{};
  RECT work{};
  Driver driver{"Long lines", [&](HWND box) {
                  ExpectShownWhole(box, IDC_MESSAGE_FIRST_LINE, &shown);
                  ExpectShownWhole(box, IDC_MESSAGE_OTHER_LINES, &shown);
                  GetWindowRect(box, &window);
                  MONITORINFO monitor{};
                  monitor.cbSize = sizeof monitor;
                  GetMonitorInfoA(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
                  work = monitor.rcWork;
                  if (picture != nullptr)
                    SaveWindowPicture(box, ToWinePath(std::string(VERDELO_SCREENSHOT_DIR) + "/" + picture));
                  Press(box, 1);
                }};
  EXPECT_EQ(RunBox(driver, nullptr, text.c_str(), 0x111), 1);
  ASSERT_TRUE(driver.seen.found);
  EXPECT_EQ(shown, WithoutLineFeeds(text));
  EXPECT_GE(window.left, work.left);
  EXPECT_LE(window.right, work.right);
}

// Run at 1280 x 1024 with the other tests and again at 1024 x 768 (see CMakeLists.txt).
TEST(MessageBoxLongLines, OneTwoAndThreeLinesShowEveryCharacter) {
  const std::string plant = LongPath("Mother-in-law's tongue.plt");
  ExpectWholeText("Corrupt or missing plant file: " + plant, nullptr);
  ExpectWholeText("Corrupt or missing plant file: " + plant + "\nError Code: 3", nullptr);
  char dataPath[1024];
  FormatDataPathMessage(gApp.strings, LongPath("Verdelo").c_str(), dataPath, sizeof dataPath);
  ExpectWholeText(dataPath, "message_box_three_long_lines.bmp");
}

TEST(MessageBoxWin, PictureOfAQuestionBox) {
  const std::string path = ToWinePath(std::string(VERDELO_SCREENSHOT_DIR) + "/message_box.bmp");
  bool saved = false;
  Driver driver{"Verdelo", [&](HWND box) {
                  Sleep(200);
                  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                  saved = SaveWindowPicture(box, path);
                  Press(box, 6);
                }};
  EXPECT_EQ(RunBox(driver, nullptr,
                   "Save the changes to the plant?\nYour plant has changed since it was last saved.\n"
                   "Unsaved changes are lost when you close it.",
                   0x188 | 0x100),
            6);
  EXPECT_TRUE(saved) << path;
}

}  // namespace
