// The framework's start-up, message loop, control window and shutdown, driven from outside the
// way a user and other instances would: the test program tools/zrftestapp starts through
// CZrfApp::Init in processes of its own, and these tests watch its windows, its files, its event
// log and how it ends. Every wait is on observable state and bounded.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/app/tests/config_archive_fixture.h"
#include "framework/base/zrf_results.h"
#include "framework/files/settings_record.h"
#include "resources/resource_ids.h"
#include "tools/zrftestapp/test_app_driver_win.h"

namespace {

using namespace zrftest;

const uint32_t kProductCrc = ProductCrc();

// What a user sees of the program's message box (kShowMessage), read from outside.
struct SeenBox {
  RECT box{};
  RECT client{};  ///< the box's client area, in screen coordinates
  RECT firstLine{};
  RECT ok{};
  bool okVisible = false;
  std::string okText;
};

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }
bool SameSize(const RECT& a, const RECT& b) { return SizeOf(a).cx == SizeOf(b).cx && SizeOf(a).cy == SizeOf(b).cy; }
bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

class AppLifecycle : public TestAppFixture {
 protected:
  // Starts the program over "(ZRF)App" holding `settings` (null: no file), has it show its
  // message box, reads the box, answers OK and closes the program, which saves its settings.
  SeenBox ShowMessageWith(const SettingsRecord* settings) {
    DeleteFileA(DataFile("(ZRF)App.zrd").c_str());
    if (settings != nullptr)
      WriteText(DataFile("(ZRF)App.zrd"), std::string(reinterpret_cast<const char*>(settings), sizeof *settings));
    App& app = StartLogged();
    PostMessageA(app.MainWindow(), kShowMessage, 0, 0);
    HWND box = nullptr;
    SeenBox seen;
    // Visible once laid out.
    EXPECT_TRUE(WaitUntil([&] { return (box = app.MessageBox()) != nullptr && IsWindowVisible(box); }));
    if (box == nullptr) return seen;
    GetWindowRect(box, &seen.box);
    GetClientRect(box, &seen.client);
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&seen.client), 2);
    GetWindowRect(GetDlgItem(box, IDC_MESSAGE_FIRST_LINE), &seen.firstLine);
    HWND ok = GetDlgItem(box, IDOK);
    GetWindowRect(ok, &seen.ok);
    seen.okVisible = IsWindowVisible(ok) != FALSE;
    char text[64] = "";
    GetWindowTextA(ok, text, sizeof text);
    seen.okText = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindow(box) == FALSE; }));
    PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.ExitCode(), 0);
    return seen;
  }
};

TEST_F(AppLifecycle, NormalStartSavesAtExitAndQuitEndsTheRunningOne) {
  App& first = StartLogged();
  EXPECT_EQ(ReadAll(DataFile("(ZRF)Cmd.zrd")), events_ + std::string(1, '\0'));
  EXPECT_TRUE(Logged("dpi functions " + std::to_string(first.pid) + " 1"));
  EXPECT_FALSE(Exists(DataFile("(ZRF)App.zrd")));

  // -QUIT tells the running instance and ends at once, without a message or a window.
  App& quitter = Start("-QUIT");
  EXPECT_EQ(quitter.ExitCode(), ZRF_ERR_OTHER_INSTANCE);
  EXPECT_EQ(first.ExitCode(), 0);
  const std::string settings = ReadAll(DataFile("(ZRF)App.zrd"));
  ASSERT_EQ(settings.size(), 297u);
  EXPECT_EQ(settings[4], 1);  // the settings version the program gave
  EXPECT_TRUE(Exists(DataFile("(ZRF)Win0.zrd")));

  // With nobody running, -QUIT ends the same way and writes no settings.
  DeleteFileA(DataFile("(ZRF)App.zrd").c_str());
  EXPECT_EQ(Start("-QUIT").ExitCode(), ZRF_ERR_OTHER_INSTANCE);
  EXPECT_FALSE(Exists(DataFile("(ZRF)App.zrd")));
}

// Reads the box's text, presses OK and returns the text.
std::string AnswerStartupError(const App& app) {
  HWND box = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (box = app.MessageBox()) != nullptr; }));
  if (box == nullptr) return "";
  char first[256] = "";
  char other[256] = "";
  GetDlgItemTextA(box, IDC_MESSAGE_FIRST_LINE, first, sizeof first);
  GetDlgItemTextA(box, IDC_MESSAGE_OTHER_LINES, other, sizeof other);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return std::string(first) + "\n" + other;
}

TEST_F(AppLifecycle, FailedStartsShowTheirCodeAndWriteNoSettings) {
  // Without an install record the data folder is unknown.
  ScopedRegKey key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_WRITE, key.Receive()),
            ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueA(key.Get(), zrftest::kProductName), ERROR_SUCCESS);
  App& unregistered = Start("");
  EXPECT_EQ(AnswerStartupError(unregistered), "Error initializing the application!\nError code 0x0000F016.");
  EXPECT_EQ(unregistered.ExitCode(), ZRF_ERR_INSTALL);
  EXPECT_FALSE(Exists("C:\\(ZRF)App.zrd"));
  EXPECT_FALSE(Exists("\\(ZRF)App.zrd"));

  // A failure after the data folder was found: its settings file must not be replaced by the
  // defaults at exit.
  PutTestAppInstallRecord(data_);
  WriteText(DataFile("(ZRF)App.zrd"), "user's own");
  App& iconless = Start("-NOICONS");
  EXPECT_EQ(AnswerStartupError(iconless), "Error initializing the application!\nError code 0x0000F00A.");
  EXPECT_EQ(iconless.ExitCode(), ZRF_ERR_ADD_ICON);
  EXPECT_TRUE(Exists(DataFile("(ZRF)Cmd.zrd")));
  EXPECT_EQ(ReadAll(DataFile("(ZRF)App.zrd")), "user's own");
}

TEST_F(AppLifecycle, ASecondStartActivatesTheFirstAndEnds) {
  App& first = StartLogged(" -SINGLE");
  App& second = Start(events_ + " -SINGLE");
  EXPECT_EQ(second.ExitCode(), ZRF_ERR_OTHER_INSTANCE);  // no message box holds it up
  EXPECT_TRUE(WaitUntil([&] { return Logged("activate " + std::to_string(first.pid)); }));
  EXPECT_TRUE(first.Running());
}

TEST_F(AppLifecycle, ForgedControlMessagesChangeNothing) {
  App& app = StartLogged();
  const std::string pid = std::to_string(app.pid);
  PostControl(zrf::WM_ZRF_QUIT, kProductCrc ^ 1);  // another product's quit
  PostControl(WM_CLOSE, kProductCrc);              // a code outside the private range
  PostControl(0x9000, kProductCrc);                // a private code, which is passed on
  ASSERT_TRUE(WaitUntil([&] { return Logged("message " + pid + " 9000"); }));
  // Posted messages come before a pending quit: one more round shows the loop still runs.
  PostControl(0x9001, kProductCrc);
  EXPECT_TRUE(WaitUntil([&] { return Logged("message " + pid + " 9001"); }));
  EXPECT_TRUE(app.Running());
  EXPECT_FALSE(Logged("close " + pid));
  EXPECT_FALSE(Exists(DataFile("(ZRF)App.zrd")));
}

TEST_F(AppLifecycle, EndOfSessionSavesTheState) {
  App& app = StartLogged();
  SendMessageA(app.ControlWindow(), WM_ENDSESSION, FALSE, 0);  // also when the logoff was cancelled
  EXPECT_EQ(ReadAll(DataFile("(ZRF)App.zrd")).size(), 297u);
  EXPECT_TRUE(Exists(DataFile("(ZRF)Win0.zrd")));
  EXPECT_TRUE(app.Running());
}

TEST_F(AppLifecycle, ADisplayChangeRescalesTheWindow) {
  App& app = StartLogged();
  HWND window = app.MainWindow();
  RECT before{};
  GetWindowRect(window, &before);
  ASSERT_EQ(before.left, zrftest::kWindowX);
  ASSERT_EQ(before.right - before.left, zrftest::kWindowWidth);
  // The screen (Xvfb, 1280 x 1024) seems to shrink to half its size.
  SendMessageA(window, zrftest::kFakeScreen, 640, 512);
  SendMessageA(app.ControlWindow(), WM_DISPLAYCHANGE, 32, MAKELPARAM(640, 512));
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_EQ(after.left, 50);
  EXPECT_EQ(after.top, 25);
  EXPECT_EQ(after.right - after.left, 400);
  EXPECT_EQ(after.bottom - after.top, 300);
  EXPECT_TRUE(Logged("displaychanged " + std::to_string(app.pid)));
}

TEST_F(AppLifecycle, ARestartStartsTheProgramAgainAndItsSiblingsToo) {
  App& first = StartLogged(" -TAG first");
  App& sibling = StartLogged(" -TAG sibling");
  // A normal restart that tells the other instances, which restart as they run now (elevated
  // under Wine, whose processes run as administrator).
  SendMessageA(first.MainWindow(), zrftest::kRequestRestart, 1, 1);
  EXPECT_EQ(first.ExitCode(), 0);
  EXPECT_EQ(sibling.ExitCode(), 0);
  std::vector<DWORD> restarted;
  std::vector<std::string> lines;
  EXPECT_TRUE(WaitUntil([&] {
    restarted.clear();
    lines = NewStarts(LogLines(), {first.pid, sibling.pid}, &restarted);
    return lines.size() == 2;
  }));
  for (DWORD pid : restarted) Adopt(pid);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{events_ + " -TAG first", events_ + " -TAG sibling"}));
}

TEST_F(AppLifecycle, APendingArchiveWaitsForAStartThatRunsAlone) {
  CreateDirectoryA(DataFile("sub").c_str(), nullptr);
  WriteText(DataFile("a.keep"), "old a");
  WriteText(DataFile("b.txt"), "old b");
  WriteText(DataFile("sub\\c.txt"), "old c");
  App& running = StartLogged();
  const std::string archive = DataFile(std::string(zrftest::kProductName) + ".BrambeckConfig");
  WriteArchive(archive,
               {{zrftest::kProductName, ProductEntry("*.keep")}, {"b.txt", "new b"}, {"new\\e.txt", "e"}});

  // Another instance runs, so a second start leaves the archive where it is.
  StartLogged();
  EXPECT_TRUE(Exists(archive));
  EXPECT_EQ(ReadAll(DataFile("b.txt")), "old b");
  EXPECT_TRUE(Exists(DataFile("sub\\c.txt")));

  PostControl(zrf::WM_ZRF_QUIT, kProductCrc);
  for (App& app : apps_) EXPECT_EQ(app.ExitCode(), 0);
  EXPECT_FALSE(running.Running());
  // A start that only tells others to quit leaves the archive to a start that stays.
  EXPECT_EQ(Start("-QUIT").ExitCode(), ZRF_ERR_OTHER_INSTANCE);
  EXPECT_TRUE(Exists(archive));
  StartLogged();
  EXPECT_FALSE(Exists(archive));
  EXPECT_EQ(ReadAll(DataFile("a.keep")), "old a");
  EXPECT_FALSE(Exists(DataFile("sub\\c.txt")));
  EXPECT_EQ(ReadAll(DataFile("b.txt")), "new b");
  EXPECT_EQ(ReadAll(DataFile("new\\e.txt")), "e");
}

TEST_F(AppLifecycle, AHostilePendingArchiveWritesNothingOutsideTheDataFolder) {
  const std::string archive = DataFile(std::string(zrftest::kProductName) + ".BrambeckConfig");
  WriteArchive(archive, {{zrftest::kProductName, ProductEntry("*.*")},
                         {"../escaped.txt", "x"},
                         {"sub/../../escaped2.txt", "x"},
                         {"..\\..\\escaped3.txt", "x"},
                         {"C:\\escaped4.txt", "x"},
                         {root_ + "\\escaped5.txt", "x"}});
  StartLogged();
  EXPECT_FALSE(Exists(archive));
  std::vector<std::string> beside;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((root_ + "\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (found.cFileName[0] != '.') beside.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(beside.begin(), beside.end());
  EXPECT_EQ(beside, (std::vector<std::string>{"data", "log"}));
  EXPECT_FALSE(Exists("C:\\escaped4.txt"));
}

TEST_F(AppLifecycle, DamagedFontFieldsGiveTheDefaultBoxAndLargeFontsStillFit) {
  const SeenBox plain = ShowMessageWith(nullptr);
  ASSERT_EQ(plain.okText, "OK");

  SettingsRecord tooLarge = DefaultSettingsRecord();
  std::memcpy(tooLarge.fontFace, "Tahoma", 7);
  tooLarge.fontSize = 0x7FFFFFFF;
  SettingsRecord unterminated = DefaultSettingsRecord();
  for (size_t i = 0; i < sizeof unterminated.fontFace; ++i)
    unterminated.fontFace[i] = static_cast<char>(0x80 | (i * 37));  // no NUL anywhere
  unterminated.fontSize = INT32_MIN;
  for (const SettingsRecord& damaged : {tooLarge, unterminated}) {
    // No custom font: exactly the box of the default font, and the damage is not saved again.
    const SeenBox seen = ShowMessageWith(&damaged);
    EXPECT_TRUE(SameSize(seen.box, plain.box));
    EXPECT_TRUE(SameSize(seen.firstLine, plain.firstLine));
    EXPECT_TRUE(SameSize(seen.ok, plain.ok));
    EXPECT_TRUE(seen.okVisible);
    EXPECT_EQ(seen.okText, "OK");
    const std::string saved = ReadAll(DataFile("(ZRF)App.zrd"));
    ASSERT_EQ(saved.size(), 297u);
    EXPECT_EQ(saved.substr(33), std::string(264, '\0'));
  }

  // Legal but large fonts: the box fits the work area with its text and its OK button on screen,
  // the button as tall as the line of text above it, and the font is kept.
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  for (const int32_t size : {40, 200}) {
    SettingsRecord large = DefaultSettingsRecord();
    std::memcpy(large.fontFace, "Tahoma", 7);
    large.fontSize = size;
    const SeenBox seen = ShowMessageWith(&large);
    EXPECT_TRUE(Inside(seen.box, work)) << size;
    EXPECT_TRUE(Inside(seen.firstLine, seen.client)) << size;
    EXPECT_TRUE(Inside(seen.ok, seen.client)) << size;
    EXPECT_TRUE(seen.okVisible);
    EXPECT_EQ(seen.okText, "OK");
    EXPECT_GE(SizeOf(seen.ok).cy, SizeOf(seen.firstLine).cy - 3) << size;
    const std::string saved = ReadAll(DataFile("(ZRF)App.zrd"));
    ASSERT_EQ(saved.size(), 297u);
    EXPECT_EQ(saved.substr(33, 7), std::string("Tahoma", 7));
    EXPECT_EQ(saved.substr(293), std::string(reinterpret_cast<const char*>(&size), 4));
  }
}

}  // namespace
