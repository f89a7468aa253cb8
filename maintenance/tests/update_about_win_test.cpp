// The update check and the About and configuration dialog end to end under Wine: the framework
// test program (version 1.0.0) asks an HTTPS server on the host (openssl s_server, started by
// net/test_servers.py, serving a file this test writes) for the current version at start-up, from
// its control window's daily job and from "Check now!", and the tests press the About dialog's
// buttons as a user would, through the common file dialogs and message boxes. They leave pictures
// of both dialogs in the build tree.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "maintenance/socket_conn.h"
#include "maintenance/update_check_record.h"
#include "resources/resource_ids.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/zrftestapp/test_app_driver_win.h"

namespace {

using maintenance::UpdateCheckRecord;
using namespace zrftest;

constexpr char kUpdateTitle[] = "ZrfTestApp Update Check";
constexpr int kHourlyTimerId = 0x4321;
constexpr int kHoursPerDailyJob = 24;
constexpr int kFileNameEdit = 0x480;   // edt1 of the common file dialogs
constexpr int kFileNameCombo = 0x47C;  // cmb13, where Windows keeps the name instead
constexpr int64_t kSecondsPerDay = 86400;

std::string ItemText(HWND dialog, int item) {
  char text[512] = "";
  GetDlgItemTextA(dialog, item, text, sizeof text);
  return text;
}

// A click that returns once the dialog has handled it.
void Click(HWND dialog, int item) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
}

void Press(HWND dialog, int item) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
}

// The window once it has painted everything (a window that just appeared may not have yet).
void Screenshot(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(SaveWindowPicture(window, ToWinePath(std::string(VERDELO_SCREENSHOT_DIR) + "/" + name)));
}

// Today's local date as the record keeps a check's day: seconds of that date at 00:00 UTC.
int64_t LocalToday() {
  const __time64_t now = _time64(nullptr);
  struct tm local {};
  _localtime64_s(&local, &now);
  local.tm_hour = local.tm_min = local.tm_sec = 0;
  return static_cast<int64_t>(_mkgmtime64(&local));
}

// The version text the update server hands out from now on.
void Serve(const std::string& text) { WriteText(ToWinePath(VERDELO_UPDATE_WWW "/update.txt"), text); }

int ServerPort() {
  const char* port = std::getenv("VERDELO_TEST_S_SERVER_PORT");
  return port != nullptr ? std::atoi(port) : 0;
}

std::string UpdateAddress() { return "https://127.0.0.1:" + std::to_string(ServerPort()) + "/update.txt"; }

// A connection to the update server that never speaks: the server, which serves one connection at
// a time, waits on it and answers nobody else until it is closed.
class HeldServer {
 public:
  HeldServer() {
    EXPECT_EQ(connection_.Connect("127.0.0.1", static_cast<uint16_t>(ServerPort()), maintenance::kTlsNone, 5),
              maintenance::SocketResult::Ok);
  }

 private:
  maintenance::CSocketConn connection_;
};

class UpdateAbout : public TestAppFixture {
 protected:
  void SetUp() override {
    TestAppFixture::SetUp();
    installFolder_ = root_ + "\\program";
    CreateDirectoryA(installFolder_.c_str(), nullptr);
    marker_ = root_ + "\\download-page-opened.txt";
    // The download page is a batch file here, so that its opening leaves a trace.
    WriteText(root_ + "\\download.bat", "@echo opened>>\"" + marker_ + "\"\r\n");
    InstallRecord record = TestAppInstallRecord(data_);
    std::snprintf(record.installFolder, sizeof record.installFolder, "%s", installFolder_.c_str());
    std::snprintf(record.updateCheckAddress, sizeof record.updateCheckAddress, "%s", UpdateAddress().c_str());
    std::snprintf(record.downloadAddress, sizeof record.downloadAddress, "%s",
                  (root_ + "\\download.bat").c_str());
    PutTestAppInstallRecord(record);
  }

  std::string RecordPath() { return DataFile("(ZRF)UpdateCheck.zrd"); }
  bool ReadRecord(UpdateCheckRecord* record) {
    const std::string bytes = ReadAll(RecordPath());
    if (bytes.size() != sizeof *record) return false;
    std::memcpy(record, bytes.data(), sizeof *record);
    return true;
  }
  void WriteRecord(const UpdateCheckRecord& record) {
    WriteText(RecordPath(), std::string(reinterpret_cast<const char*>(&record), sizeof record));
  }

  // As the control window's hourly timer, 24 times: the daily jobs run once.
  static void RunDailyJobs(const App& app) {
    for (int hour = 0; hour < kHoursPerDailyJob; ++hour)
      SendMessageA(app.ControlWindow(), WM_TIMER, kHourlyTimerId, 0);
  }

  // Makes the check due, serves `text` and runs the daily jobs; returns the record once the check
  // has saved it (by then any dialog it opens is open).
  UpdateCheckRecord DailyCheck(const App& app, const std::string& text) {
    UpdateCheckRecord record{};
    EXPECT_TRUE(ReadRecord(&record));
    record.lastCheckTime = 0;
    WriteRecord(record);
    Serve(text);
    RunDailyJobs(app);
    EXPECT_TRUE(WaitUntil([&] { return ReadRecord(&record) && record.lastCheckTime != 0; }));
    return record;
  }

  // The framework message box on `owner`, which is titled with the product name as the About
  // dialog is: the box has none of the About dialog's buttons.
  static HWND MessageBoxOn(const App& app, HWND owner) {
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      box = FindProcessWindow(app.pid, "#32770", kProductName, [owner](HWND window) {
        return GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, IDC_ABOUT_BACKUP) == nullptr &&
               IsWindowVisible(window);
      });
      return box != nullptr;
    }));
    return box;
  }
  static std::string Answer(const App& app, HWND owner, int button) {
    HWND box = MessageBoxOn(app, owner);
    if (box == nullptr) return "";
    const std::string text = ItemText(box, IDC_MESSAGE_FIRST_LINE);
    Press(box, button);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    return text;
  }
  // Picks `path` in the common file dialog titled `title`.
  static void PickFile(const App& app, const char* title, const std::string& path) {
    HWND picker = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (picker = app.Dialog(title)) != nullptr; }));
    const int item = GetDlgItem(picker, kFileNameEdit) != nullptr ? kFileNameEdit : kFileNameCombo;
    SetDlgItemTextA(picker, item, path.c_str());
    Press(picker, IDOK);
  }

  std::string installFolder_;
  std::string marker_;
};

TEST_F(UpdateAbout, ANewVersionOpensTheDialogOncePerVersion) {
  Serve("1.0.1\r\n");  // the line break is no part of the version
  const int64_t before = LocalToday();
  App& app = StartLogged();

  // The start-up's check finds 1.0.1 and opens the dialog on its own thread, without owner.
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = app.Dialog(kUpdateTitle)) != nullptr; }));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_NE(GetWindowThreadProcessId(dialog, nullptr), GetWindowThreadProcessId(app.MainWindow(), nullptr));
  EXPECT_TRUE(WaitUntil([&] { return ItemText(dialog, IDC_UPDATE_STATUS) == "New version available"; }));
  EXPECT_EQ(ItemText(dialog, IDC_UPDATE_INSTALLED), "1.0.0");
  EXPECT_EQ(ItemText(dialog, IDC_UPDATE_AVAILABLE), "1.0.1");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_UPDATE_DOWNLOAD)));
  UpdateCheckRecord record{};
  ASSERT_TRUE(WaitUntil([&] { return ReadRecord(&record); }));
  EXPECT_STREQ(record.lastVersion, "1.0.1");
  EXPECT_EQ(record.newerAvailable, 1);
  EXPECT_EQ(record.autoCheck, 1);
  EXPECT_EQ(record.intervalDays, 7);
  EXPECT_EQ(record.lastCheckTime % kSecondsPerDay, 0);
  EXPECT_GE(record.lastCheckTime, before);
  Screenshot(dialog, "update_check_dialog.bmp");

  // "Check now!" in the thread's own dialog fetches again and shows what came.
  Serve("1.0.2");
  Press(dialog, IDC_UPDATE_NOW);
  EXPECT_TRUE(WaitUntil([&] { return ItemText(dialog, IDC_UPDATE_AVAILABLE) == "1.0.2"; }));
  EXPECT_TRUE(WaitUntil([&] { return ReadRecord(&record) && std::string(record.lastVersion) == "1.0.2"; }));

  // "Update" opens the download page of the install record.
  Press(dialog, IDC_UPDATE_DOWNLOAD);
  EXPECT_TRUE(WaitUntil([&] { return Exists(marker_); }));
  Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  // The daily job: the same text again, an equal and an older version open nothing.
  record = DailyCheck(app, "1.0.2");
  EXPECT_EQ(record.newerAvailable, 1);
  EXPECT_EQ(app.Dialog(kUpdateTitle), nullptr);
  record = DailyCheck(app, "1.0.0");
  EXPECT_EQ(record.newerAvailable, 0);
  EXPECT_EQ(app.Dialog(kUpdateTitle), nullptr);
  record = DailyCheck(app, "0.9.12");
  EXPECT_STREQ(record.lastVersion, "0.9.12");
  EXPECT_EQ(app.Dialog(kUpdateTitle), nullptr);
  // A text not seen before opens the dialog again.
  DailyCheck(app, "1.0.3");
  ASSERT_TRUE(WaitUntil([&] { return (dialog = app.Dialog(kUpdateTitle)) != nullptr; }));
  EXPECT_EQ(ItemText(dialog, IDC_UPDATE_AVAILABLE), "1.0.3");
  Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(app.Running());
}

TEST_F(UpdateAbout, TheAboutDialogsButtonsReachTheServicesAndRestoreRestarts) {
  // Checked today already: the start opens nothing.
  UpdateCheckRecord record{};
  std::strcpy(record.lastVersion, "1.0.3");
  record.lastCheckTime = LocalToday();
  record.newerAvailable = 1;
  record.autoCheck = 1;
  record.intervalDays = 7;
  WriteRecord(record);
  WriteText(DataFile("before.txt"), "before");
  App& app = StartLogged();
  PostMessageA(app.MainWindow(), kShowAbout, 0, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    about = FindProcessWindow(app.pid, "#32770", kProductName,
                              [](HWND window) { return GetDlgItem(window, IDC_ABOUT_BACKUP) != nullptr; });
    return about != nullptr && IsWindowVisible(about);
  }));
  EXPECT_EQ(GetWindow(about, GW_OWNER), app.MainWindow());
  EXPECT_EQ(ItemText(about, IDC_ABOUT_PRODUCT), "ZrfTestApp v1.0.0");
  EXPECT_EQ(ItemText(about, IDC_ABOUT_MAKER), "Brambeck");
  EXPECT_EQ(ItemText(about, IDC_ABOUT_WEB_LINK), "https://www.brambeck.example/");
  EXPECT_EQ(ItemText(about, IDC_ABOUT_PROGRAM_LINK), installFolder_);
  EXPECT_EQ(ItemText(about, IDC_ABOUT_DATA_LINK), data_);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(about, IDHELP)));
  Screenshot(about, "about_dialog.bmp");

  // Update...: the dialog, modal on the About dialog, where "Check now!" works as well.
  Press(about, IDC_ABOUT_UPDATE);
  HWND update = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (update = app.Dialog(kUpdateTitle)) != nullptr; }));
  EXPECT_EQ(GetWindow(update, GW_OWNER), about);
  const time_t checked = static_cast<time_t>(record.lastCheckTime);
  const tm* day = std::gmtime(&checked);  // the local date, stored at 00:00 UTC
  char lastCheck[64];
  std::snprintf(lastCheck, sizeof lastCheck, "Last check: %02d.%02d.%04d", day->tm_mday, day->tm_mon + 1,
                day->tm_year + 1900);
  EXPECT_EQ(ItemText(update, IDC_UPDATE_STATUS), lastCheck);
  EXPECT_EQ(ItemText(update, IDC_UPDATE_AVAILABLE), "1.0.3");
  // "Check now!" again while the first check still waits for the server: the waiting one is
  // cancelled, and tells this dialog so while the second click waits for it to end, and a new one
  // starts and fetches once the server answers again.
  Serve("1.0.4");
  {
    HeldServer held;
    Click(update, IDC_UPDATE_NOW);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(update, IDC_UPDATE_STATUS) == "Checking..."; }));
    Click(update, IDC_UPDATE_NOW);
  }
  EXPECT_TRUE(WaitUntil([&] {
    return ItemText(update, IDC_UPDATE_AVAILABLE) == "1.0.4" &&
           ItemText(update, IDC_UPDATE_STATUS) == "New version available";
  }));
  // OK keeps the automatic check's switch and an interval of at least 7 days.
  SendDlgItemMessageA(update, IDC_UPDATE_AUTOMATIC, BM_SETCHECK, BST_UNCHECKED, 0);
  SetDlgItemTextA(update, IDC_UPDATE_INTERVAL, "3");
  Press(update, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(update); }));
  ASSERT_TRUE(ReadRecord(&record));
  EXPECT_EQ(record.autoCheck, 0);
  EXPECT_EQ(record.intervalDays, 7);
  EXPECT_STREQ(record.lastVersion, "1.0.4");

  // Archive...: the archive dialog, modal on the About dialog.
  Press(about, IDC_ABOUT_ARCHIVE);
  HWND archive = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (archive = app.Dialog("Archive Configuration")) != nullptr; }));
  EXPECT_EQ(GetWindow(archive, GW_OWNER), about);
  Press(archive, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(archive); }));

  // Reset, then Cancel to the restart: the reset waits for the next start.
  const std::string pending = DataFile(std::string(kProductName) + ".BrambeckConfig");
  Press(about, IDC_ABOUT_RESET);
  EXPECT_EQ(Answer(app, about, IDYES), "Warning: your current configuration will be overwritten!");
  EXPECT_EQ(Answer(app, about, IDCANCEL), "Data reset successfully!");
  EXPECT_TRUE(Exists(pending));
  EXPECT_TRUE(app.Running());

  // Backup through the save dialog.
  const std::string backup = root_ + "\\backup.BrambeckConfig";
  Press(about, IDC_ABOUT_BACKUP);
  PickFile(app, "Save As", backup);
  EXPECT_EQ(Answer(app, about, IDOK), "Data backed up successfully!");
  EXPECT_TRUE(Exists(backup));

  // Restore that backup, and OK to the restart: the program ends, starts again and the new start
  // brings the data folder back to the backup.
  WriteText(DataFile("after.txt"), "after");
  Press(about, IDC_ABOUT_RESTORE);
  PickFile(app, "Open", backup);
  EXPECT_EQ(Answer(app, about, IDYES), "Warning: your current configuration will be overwritten!");
  EXPECT_EQ(Answer(app, about, IDOK), "Data restored successfully!");
  EXPECT_EQ(app.ExitCode(), 0);
  std::vector<DWORD> restarted;
  ASSERT_TRUE(WaitUntil([&] {
    restarted.clear();
    return NewStarts(LogLines(), {app.pid}, &restarted).size() == 1;
  }));
  App& again = Adopt(restarted[0]);
  EXPECT_TRUE(again.WaitUntilUp());
  EXPECT_FALSE(Exists(pending));
  EXPECT_EQ(ReadAll(DataFile("before.txt")), "before");
  EXPECT_FALSE(Exists(DataFile("after.txt")));
}

}  // namespace
