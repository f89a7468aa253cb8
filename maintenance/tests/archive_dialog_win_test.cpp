// The archive configuration dialog under Windows, driven by a timer: the settings it shows with
// their expanded previews, a name that does not fit, "Archive now!", and what OK saves. It leaves
// a picture of the dialog in the build tree.
#include "maintenance/archive_dialog_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "framework/app/zrf_app_win.h"
#include "framework/files/tests/temp_tree.h"
#include "maintenance/archive_clock.h"
#include "maintenance/scheduled_archive_win.h"
#include "maintenance/tests/program_environment_win.h"
#include "resources/resource_ids.h"
#include "tools/testsupport/thread_dialogs_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

// One step: when a dialog of this thread titled `caption` is open, `act` on it.
struct Step {
  std::string caption;
  std::function<void(HWND)> act;
};
std::deque<Step> gSteps;
int gIdleTicks = 0;

BOOL CALLBACK CancelDialogProc(HWND window, LPARAM) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770") PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  if (gSteps.empty()) {
    KillTimer(nullptr, timer);
    return;
  }
  HWND found = FindThreadDialog(gSteps.front().caption.c_str());
  if (found == nullptr) {
    // A step that never comes leaves the test failing, not hanging in a modal loop.
    if (++gIdleTicks > 400) {
      ADD_FAILURE() << "no dialog titled \"" << gSteps.front().caption << "\"";
      gSteps.clear();
      EnumThreadWindows(GetCurrentThreadId(), CancelDialogProc, 0);
    }
    return;
  }
  gIdleTicks = 0;
  Step step = std::move(gSteps.front());
  gSteps.pop_front();
  step.act(found);
}

std::string ItemText(HWND dialog, int item) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, item, text, sizeof text);
  return text;
}

void Press(HWND dialog, int item) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
}

int64_t FixedClock() { return kTestNow; }

TEST(ArchiveDialogWin, ShowsChecksArchivesAndSaves) {
  TempTree tree("verdelo-archive-dialog");
  UseDataFolder(tree.Path("data"));
  tree.File("data/a.zrd", "settings");
  SetArchiveClockForTesting(FixedClock);
  LoadArchiveSettings();
  ArchiveSettingsRecord settings = ArchiveSettings();
  settings.enabled = 1;
  settings.intervalDays = 7;
  settings.keepCount = 3;
  settings.lastArchiveTime = 1796688000;
  ASSERT_TRUE(SaveArchiveSettings(settings));

  const std::string dialogTitle = "Archive Configuration";
  std::string seenMessages;
  auto readMessage = [&](HWND box) {
    seenMessages += ItemText(box, IDC_MESSAGE_FIRST_LINE) + "|";
    Press(box, IDOK);
  };
  gSteps = {
      {dialogTitle,
       [&](HWND dialog) {
         EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ARCHIVE_AUTOMATIC), BST_CHECKED);
         EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ARCHIVE_INTERVAL)));
         EXPECT_EQ(ItemText(dialog, IDC_ARCHIVE_INTERVAL), "7");
         EXPECT_EQ(ItemText(dialog, IDC_ARCHIVE_KEEP), "3");
         EXPECT_EQ(ItemText(dialog, IDC_ARCHIVE_FOLDER), "%CONFIGDIR%\\Backup");
         EXPECT_EQ(ItemText(dialog, IDC_ARCHIVE_FOLDER_PREVIEW), std::string(gApp.dataFolder) + "\\Backup");
         EXPECT_EQ(ItemText(dialog, IDC_ARCHIVE_NAME_PREVIEW), "Verdelo-2026.12.08");
         EXPECT_TRUE(SaveWindowPicture(dialog, ToWinePath(VERDELO_SCREENSHOT_DIR "/archive_dialog.bmp")));
         // The data folder ten times over cannot fit in 260 characters.
         std::string tooLong;
         for (int i = 0; i < 10; ++i) tooLong += "%CONFIGDIR%";
         SetDlgItemTextA(dialog, IDC_ARCHIVE_NAME, tooLong.c_str());
         Press(dialog, IDOK);
       }},
      {"Verdelo", readMessage},
      {dialogTitle,
       [&](HWND dialog) {
         Press(dialog, IDC_ARCHIVE_DEFAULT);
         Press(dialog, IDC_ARCHIVE_NOW);
       }},
      {"Verdelo", readMessage},
      {dialogTitle,
       [&](HWND dialog) {
         SendDlgItemMessageA(dialog, IDC_ARCHIVE_AUTOMATIC, BM_SETCHECK, BST_UNCHECKED, 0);
         Press(dialog, IDC_ARCHIVE_AUTOMATIC);
         SetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, "");
         SetDlgItemTextA(dialog, IDC_ARCHIVE_KEEP, "5000");
         Press(dialog, IDOK);
       }},
  };
  gIdleTicks = 0;
  SetTimer(nullptr, 0, 50, OnTimer);
  const INT_PTR result = gApp.RunModalDialog(nullptr, IDD_ARCHIVE_CONFIG, ArchiveConfigDlgProc, 1);
  SetArchiveClockForTesting(nullptr);

  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(gSteps.empty());
  EXPECT_EQ(seenMessages, "Please enter a valid filename!|Archiving finished successfully!|");
  EXPECT_TRUE(tree.Exists("data/Backup/Verdelo-2026.12.08.BrambeckConfig"));
  // Saved with archiving off; the emptied folder template loads as the default.
  LoadArchiveSettings();
  settings = ArchiveSettings();
  EXPECT_EQ(settings.enabled, 0);
  EXPECT_EQ(settings.keepCount, 999);
  EXPECT_STREQ(settings.folderTemplate, "%CONFIGDIR%\\Backup");
  EXPECT_STREQ(settings.nameTemplate, "%PROGRAM%-%YEAR%.%MONTH%.%DAY%");
}

}  // namespace
