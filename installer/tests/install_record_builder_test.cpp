// The record the installation writes, checked byte by byte against the registry layout, and the
// install folder taken from the helper's own path.
#include "installer/install_record_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/base/zrf_results.h"

namespace {

using installer::BuildInstallRecord;
using installer::InstallRecordBytes;
using installer::RecordResult;

std::string TextAt(const InstallRecordBytes& bytes, size_t offset) {
  return std::string(reinterpret_cast<const char*>(&bytes[offset]));
}

// Every byte of [begin, end) is 0.
bool IsZero(const InstallRecordBytes& bytes, size_t begin, size_t end) {
  for (size_t i = begin; i < end; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

TEST(BuildInstallRecord, FieldsSitAtTheirOffsetsAndTheRestIsZero) {
  InstallRecordBytes bytes;
  bytes.fill(0xEE);
  ASSERT_EQ(BuildInstallRecord("C:\\Program Files\\Verdelo", &bytes), RecordResult::Ok);
  ASSERT_EQ(bytes.size(), 1326u);
  EXPECT_TRUE(IsZero(bytes, 0, 20));  // reserved, custom-folder flag, append-user flag
  EXPECT_EQ(TextAt(bytes, 20), "C:\\Program Files\\Verdelo");
  EXPECT_TRUE(IsZero(bytes, 20 + 24, 540));  // folder's padding and the empty custom data folder
  EXPECT_EQ(TextAt(bytes, 540), installer::kWebAddress);
  EXPECT_EQ(TextAt(bytes, 800), installer::kUpdateCheckAddress);
  EXPECT_EQ(TextAt(bytes, 1060), installer::kDownloadAddress);
  EXPECT_TRUE(IsZero(bytes, 1060 + sizeof installer::kDownloadAddress - 1, 1326));

  InstallRecord record;  // the program's own reader takes it as written
  ASSERT_EQ(ParseInstallRecord(bytes.data(), bytes.size(), &record), ZRF_OK);
  EXPECT_STREQ(record.installFolder, "C:\\Program Files\\Verdelo");
  EXPECT_EQ(record.useCustomDataFolder, 0);
}

TEST(BuildInstallRecord, FolderMustFitItsFieldWithItsTerminator) {
  InstallRecordBytes bytes;
  bytes.fill(0xEE);
  ASSERT_EQ(BuildInstallRecord(std::string(259, 'f'), &bytes), RecordResult::Ok);
  EXPECT_EQ(bytes[20 + 258], 'f');
  EXPECT_EQ(bytes[20 + 259], 0);

  bytes.fill(0xEE);
  EXPECT_EQ(BuildInstallRecord(std::string(260, 'f'), &bytes), RecordResult::FolderTooLong);
  EXPECT_EQ(BuildInstallRecord("", &bytes), RecordResult::EmptyFolder);
  EXPECT_EQ(BuildInstallRecord(std::string("C:\\a\0b", 6), &bytes), RecordResult::FolderHasNul);
  EXPECT_EQ(bytes[20], 0xEE);  // no failure touched the bytes
}

TEST(ProgramFolder, CutsAtTheLastBackslashButKeepsADriveRoot) {
  struct Case {
    const char* path;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Verdelo\\InstallRecord.exe", "C:\\Program Files\\Verdelo"},
      {"C:\\InstallRecord.exe", "C:\\"},
      {"\\\\server\\share\\InstallRecord.exe", "\\\\server\\share"},
      {"InstallRecord.exe", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(installer::ProgramFolder(c.path), c.folder) << c.path;
}

}  // namespace
