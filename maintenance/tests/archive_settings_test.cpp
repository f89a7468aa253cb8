// The archive settings record: its bytes on disk, the defaults after every load, and when an
// archive is due.
#include "maintenance/archive_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/files/data_file.h"
#include "framework/files/tests/fake_file_ops.h"

namespace {

const char kFile[] = "C:\\data\\(ZRF)Archive.zrd";

class ArchiveSettingsTest : public testing::Test {
 protected:
  ArchiveSettingsTest() : store_(fs_, "C:\\data", "C:\\common") { fs_.folders = {"C:", "C:\\data"}; }
  FakeFileOps fs_;
  DataFileStore store_;
};

TEST_F(ArchiveSettingsTest, StoredBytesAndTheirLimits) {
  ArchiveSettingsRecord record{};
  std::strcpy(record.folderTemplate, "D:\\Archives");
  std::strcpy(record.nameTemplate, "%PROGRAM%");
  record.lastArchiveTime = 1796688000;  // 2026-12-08 00:00 UTC
  record.enabled = 1;
  record.intervalDays = 7;
  record.keepCount = 3;
  ASSERT_TRUE(SaveArchiveSettingsRecord(store_, record));
  const std::string& bytes = fs_.files[kFile];
  ASSERT_EQ(bytes.size(), 544u);
  EXPECT_EQ(bytes.substr(0, 12), std::string("D:\\Archives\0", 12));
  EXPECT_EQ(bytes.substr(260, 10), std::string("%PROGRAM%\0", 10));
  EXPECT_EQ(bytes.substr(520, 8), std::string("\x80\x48\x17\x6b\0\0\0\0", 8));
  EXPECT_EQ(bytes.substr(528, 12), std::string("\1\0\0\0\7\0\0\0\3\0\0\0", 12));

  // A hostile file: no terminators, a flag byte that is not 1, no interval, a negative count.
  std::string hostile(544, 'x');
  std::memcpy(&hostile[528], "\7\0\0\0\0\0\0\0\xfb\xff\xff\xff", 12);
  fs_.files[kFile] = hostile;
  LoadArchiveSettingsRecord(store_, &record);
  EXPECT_EQ(std::strlen(record.folderTemplate), 259u);
  EXPECT_EQ(record.enabled, 0);
  EXPECT_EQ(record.intervalDays, 14);
  EXPECT_EQ(record.keepCount, 30);

  // No file at all: off, every 14 days, 30 kept, the default templates.
  fs_.files.clear();
  LoadArchiveSettingsRecord(store_, &record);
  EXPECT_EQ(record.enabled, 0);
  EXPECT_EQ(record.lastArchiveTime, 0);
  EXPECT_STREQ(record.folderTemplate, "%CONFIGDIR%\\Backup");
  EXPECT_STREQ(record.nameTemplate, "%PROGRAM%-%YEAR%.%MONTH%.%DAY%");
}

TEST(ArchiveDue, IntervalBoundaries) {
  ArchiveSettingsRecord record{};
  record.enabled = 1;
  record.intervalDays = 14;
  record.lastArchiveTime = 1796688000;
  const int64_t later = record.lastArchiveTime + 14 * 86400;
  EXPECT_FALSE(IsArchiveDue(record, later));
  EXPECT_TRUE(IsArchiveDue(record, later + 1));
  EXPECT_TRUE(IsArchiveDue(record, record.lastArchiveTime - 1));  // recorded under a wrong clock
  record.lastArchiveTime = INT64_MIN;
  EXPECT_TRUE(IsArchiveDue(record, later));
  record.enabled = 0;
  EXPECT_FALSE(IsArchiveDue(record, later + 1));
  EXPECT_EQ(ArchiveDay(1796688000 + 86399), 1796688000);
  EXPECT_EQ(ArchiveDay(-1), -86400);
}

}  // namespace
