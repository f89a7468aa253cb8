// The update check's platform-free rules: version texts read as sscanf reads them and compared as
// numbers, the record's defaults and due boundary, and what a fetch changes, with the worked
// examples of the record's description.
#include "maintenance/update_check_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/files/data_file.h"
#include "framework/files/tests/fake_file_ops.h"

namespace maintenance {
namespace {

constexpr ProgramVersion kRunning{1, 9, 12};
constexpr int64_t kDay = kSecondsPerDay;
constexpr int64_t kNow = 1796688000 + 13 * 3600;  // 2026-12-08 13:00 UTC

UpdateCheckRecord Defaults() {
  UpdateCheckRecord record;
  std::memset(&record, 0, sizeof record);
  ApplyUpdateCheckDefaults(&record);
  return record;
}

TEST(ProgramVersionTest, ReadsLikeScanfAndComparesNumbers) {
  struct Row {
    const char* text;
    bool valid;
    bool newer;  // than 1.9.12
  };
  const Row kRows[] = {{"2.0.0", true, true},
                       {"1.10.0", true, true},
                       {"1.9.13\n", true, true},
                       {"1.9.12", true, false},
                       {"1.9.2", true, false},
                       {" 1.9.12", true, false},
                       {"1.9.13-beta", true, true},
                       {"1. 9.+13", true, true},
                       {"v1.2.3", false, false},
                       {"1.2", false, false},
                       {"1 .2.3", false, false},
                       {"", false, false},
                       {"99999999999.0.0", false, false},
                       {"2147483647.0.0", true, true}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.text);
    ProgramVersion version;
    ASSERT_EQ(ParseProgramVersion(row.text, &version), row.valid);
    if (row.valid) {
      EXPECT_EQ(IsNewerVersion(version, kRunning), row.newer);
    }
  }
}

TEST(UpdateCheckRecordTest, DefaultsTurnTheCheckOnEveryWeekAtLeast) {
  const UpdateCheckRecord fresh = Defaults();
  EXPECT_EQ(fresh.autoCheck, 1);
  EXPECT_EQ(fresh.intervalDays, 7);
  EXPECT_TRUE(IsUpdateCheckDue(fresh, kNow));  // lastCheckTime 0: due at once

  UpdateCheckRecord record = Defaults();
  record.autoCheck = 0;
  record.intervalDays = 3;
  ApplyUpdateCheckDefaults(&record);
  EXPECT_EQ(record.autoCheck, 0);  // only a missing interval turns the check on
  EXPECT_EQ(record.intervalDays, 7);
  EXPECT_FALSE(IsUpdateCheckDue(record, kNow));
  record.intervalDays = -5;
  ApplyUpdateCheckDefaults(&record);
  EXPECT_EQ(record.intervalDays, 7);
}

TEST(UpdateCheckRecordTest, DueOnlyAfterMoreThanTheInterval) {
  UpdateCheckRecord record = Defaults();
  record.intervalDays = 10;
  record.lastCheckTime = kNow - 10 * kDay;
  EXPECT_FALSE(IsUpdateCheckDue(record, kNow));
  EXPECT_TRUE(IsUpdateCheckDue(record, kNow + 1));
  record.lastCheckTime = INT64_MIN;  // damaged: due, without overflow
  EXPECT_TRUE(IsUpdateCheckDue(record, kNow));
}

TEST(UpdateCheckRecordTest, FetchOpensTheDialogOncePerNewVersion) {
  UpdateCheckRecord record = Defaults();
  UpdateCheckOutcome outcome = ApplyFetchedVersion(&record, true, "2.0.0\r\n", kRunning, kNow, false);
  EXPECT_TRUE(outcome.openDialog && outcome.save);
  EXPECT_EQ(outcome.statusPiece, kUpdateStatusNewer);
  EXPECT_STREQ(record.lastVersion, "2.0.0");  // the line break is no part of the version
  EXPECT_EQ(record.newerAvailable, 1);
  EXPECT_EQ(record.lastCheckTime, 1796688000);  // the start of the (local) day

  // The same version on a later day, written differently: no dialog, but the check's day moves on.
  outcome = ApplyFetchedVersion(&record, true, "02.0.0-final", kRunning, kNow + 3 * kDay, false);
  EXPECT_FALSE(outcome.openDialog);
  EXPECT_TRUE(outcome.save);
  EXPECT_EQ(record.lastCheckTime, 1796688000 + 3 * kDay);

  // A dialog already shown is updated instead of a second one opened.
  EXPECT_FALSE(ApplyFetchedVersion(&record, true, "2.0.1", kRunning, kNow, true).openDialog);

  // A record that kept a whole reply, line break and all, knows its version again.
  std::strcpy(record.lastVersion, "3.0.0\n");
  EXPECT_EQ(VersionTextOf(record.lastVersion), "3.0.0");
  EXPECT_FALSE(ApplyFetchedVersion(&record, true, "3.0.0 " + std::string(400, 'x'), kRunning, kNow, false).openDialog);
  EXPECT_STREQ(record.lastVersion, "3.0.0");

  outcome = ApplyFetchedVersion(&record, true, "1.9.12", kRunning, kNow, false);
  EXPECT_FALSE(outcome.openDialog);
  EXPECT_EQ(outcome.statusPiece, kUpdateStatusNotNewer);
  EXPECT_EQ(record.newerAvailable, 0);
}

TEST(UpdateCheckRecordTest, LastCheckShowsTheCheckDayOrNoDate) {
  CivilDate date;
  EXPECT_FALSE(LastCheckDate(0, &date));  // no check yet: not 01.01.1970
  EXPECT_FALSE(LastCheckDate(-kDay, &date));
  struct Row {
    int64_t time;
    CivilDate date;
  };
  const Row kRows[] = {{kDay, {1970, 1, 2}},
                       {951782400, {2000, 2, 29}},
                       {1796688000, {2026, 12, 8}},
                       {4107542400, {2100, 3, 1}}};
  for (const Row& row : kRows) {
    ASSERT_TRUE(LastCheckDate(row.time, &date)) << row.time;
    EXPECT_EQ(date.year, row.date.year);
    EXPECT_EQ(date.month, row.date.month);
    EXPECT_EQ(date.day, row.date.day);
  }
}

TEST(UpdateCheckRecordTest, FailedOrMalformedFetchChangesNothing) {
  UpdateCheckRecord record = Defaults();
  std::strcpy(record.lastVersion, "1.0.0");
  record.lastCheckTime = 1000 * kDay;
  const UpdateCheckRecord before = record;
  UpdateCheckOutcome outcome = ApplyFetchedVersion(&record, false, "2.0.0", kRunning, kNow, false);
  EXPECT_EQ(outcome.statusPiece, kUpdateStatusDownloadError);
  EXPECT_FALSE(outcome.save || outcome.openDialog);
  outcome = ApplyFetchedVersion(&record, true, "<html>2.0.0</html>", kRunning, kNow, false);
  EXPECT_EQ(outcome.statusPiece, kUpdateStatusFormatError);
  EXPECT_FALSE(outcome.save || outcome.openDialog);
  EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST(UpdateCheckRecordTest, SavedRecordLoadsBackByteForByte) {
  FakeFileOps files;
  DataFileStore store(files, "C:\\data", nullptr);
  files.folders = {"C:", "C:\\data"};
  UpdateCheckRecord record;
  LoadUpdateCheckRecord(store, &record);  // no file yet
  EXPECT_EQ(record.autoCheck, 1);
  std::strcpy(record.lastVersion, "1.2.3");
  record.lastCheckTime = 0x0102030405060708;
  record.intervalDays = 30;
  ASSERT_TRUE(SaveUpdateCheckRecord(store, record));
  const std::string& bytes = files.files.at("C:\\data\\(ZRF)UpdateCheck.zrd");
  ASSERT_EQ(bytes.size(), 280u);
  EXPECT_EQ(bytes.substr(264, 8), std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8));
  EXPECT_EQ(bytes[273], 1);
  EXPECT_EQ(bytes.substr(276, 4), std::string("\x1e\0\0\0", 4));
  UpdateCheckRecord loaded;
  LoadUpdateCheckRecord(store, &loaded);
  EXPECT_EQ(std::memcmp(&loaded, &record, sizeof record), 0);
}

}  // namespace
}  // namespace maintenance
