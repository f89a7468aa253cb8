// Scheduled archiving under Windows with a clock the test moves: due or not by the interval, the
// archive named from the templates, the day recorded, pruning to the keep count among this
// product's archives, and no second run beside a running one.
#include "maintenance/scheduled_archive_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <set>
#include <string>

#include "framework/files/tests/temp_tree.h"
#include "maintenance/archive_clock.h"
#include "maintenance/tests/program_environment_win.h"

namespace {

std::atomic<int64_t> gNow{kTestNow};
int64_t MovedClock() { return gNow.load(); }

// The archive thread stops in its first clock reading until the test lets it go on.
HANDLE gEntered = nullptr;
HANDLE gRelease = nullptr;
DWORD gTestThread = 0;
int64_t BlockingClock() {
  if (GetCurrentThreadId() != gTestThread) {
    SetEvent(gEntered);
    WaitForSingleObject(gRelease, 30000);
  }
  return gNow.load();
}

bool WaitForRunToEnd() {
  for (int i = 0; i < 3000 && IsArchiveRunning(); ++i) Sleep(10);
  return !IsArchiveRunning();
}

// Sets creation and last-write time to `unixSeconds` (Wine keeps one time for both).
void SetFileTimes(const std::string& path, int64_t unixSeconds) {
  const uint64_t value = 116444736000000000ull + static_cast<uint64_t>(unixSeconds) * 10000000ull;
  FILETIME time{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  SetFileTime(file, &time, &time, &time);
  CloseHandle(file);
}

std::set<std::string> FolderNames(const TempTree& tree, const std::string& relative) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(tree.Path(relative))) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class ScheduledArchiveWin : public testing::Test {
 protected:
  ScheduledArchiveWin() : tree_("verdelo-schedule") {
    UseDataFolder(tree_.Path("data"));
    tree_.File("data/a.zrd", "settings");
    tree_.File("data/p.plt", "plant");
    gNow = kTestNow;
    SetArchiveClockForTesting(MovedClock);
    LoadArchiveSettings();  // no file: the defaults
    ArchiveSettingsRecord settings = ArchiveSettings();
    settings.enabled = 1;
    settings.intervalDays = 14;
    settings.keepCount = 3;
    settings.lastArchiveTime = kToday - 14 * 86400;
    EXPECT_TRUE(SaveArchiveSettings(settings));
  }
  ~ScheduledArchiveWin() override { SetArchiveClockForTesting(nullptr); }

  static constexpr int64_t kToday = 1796688000;  // 2026-12-08 00:00 UTC
  TempTree tree_;
};

TEST_F(ScheduledArchiveWin, DueArchiveIsNamedRecordedAndPruned) {
  // Five older archives of this product, a day apart, and files that are not to be pruned.
  for (int day = 1; day <= 5; ++day) {
    const std::string name = (day == 1 ? "data/Backup/verdelo-2020.01.0" : "data/Backup/Verdelo-2020.01.0") +
                             std::to_string(day) + ".BrambeckConfig";
    tree_.File(name);
    SetFileTimes(tree_.Path(name), 1577836800 + day * 86400);
  }
  for (const char* name : {"data/Backup/Other-2020.01.01.BrambeckConfig", "data/Backup/notes.BrambeckConfig",
                           "data/Backup/Verdelo-2019.zip"}) {
    tree_.File(name);
    SetFileTimes(tree_.Path(name), 1546300800);
  }

  gNow = kToday;  // exactly the interval since the last archive: not yet due
  ArchiveConfigIfDue();
  EXPECT_FALSE(IsArchiveRunning());
  gNow = kTestNow;
  ArchiveConfigIfDue();
  ASSERT_TRUE(WaitForRunToEnd());

  EXPECT_EQ(FolderNames(tree_, "data/Backup"),
            (std::set<std::string>{"Verdelo-2026.12.08.BrambeckConfig", "Verdelo-2020.01.05.BrambeckConfig",
                                   "Verdelo-2020.01.04.BrambeckConfig", "Other-2020.01.01.BrambeckConfig",
                                   "notes.BrambeckConfig", "Verdelo-2019.zip"}));
  LoadArchiveSettings();
  EXPECT_EQ(ArchiveSettings().lastArchiveTime, kToday);
  ArchiveConfigIfDue();
  EXPECT_FALSE(IsArchiveRunning());
}

TEST_F(ScheduledArchiveWin, NoSecondRunBesideARunningOne) {
  gEntered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  gRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  gTestThread = GetCurrentThreadId();
  SetArchiveClockForTesting(BlockingClock);
  ArchiveConfigIfDue();
  ASSERT_EQ(WaitForSingleObject(gEntered, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(ArchiveConfigNow(), kArchiveBusy);
  SetEvent(gRelease);
  EXPECT_TRUE(WaitForRunToEnd());
  EXPECT_TRUE(tree_.Exists("data/Backup/Verdelo-2026.12.08.BrambeckConfig"));
  CloseHandle(gEntered);
  CloseHandle(gRelease);
}

}  // namespace
