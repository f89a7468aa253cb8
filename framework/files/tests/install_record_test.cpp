// Taking the install record from its registry bytes: offsets, size rule, text termination.
#include "framework/files/install_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/base/zrf_results.h"

namespace {

TEST(ParseInstallRecord, FieldsComeFromTheirOffsets) {
  std::vector<unsigned char> bytes(2000, 0);
  bytes[16] = 1;
  std::memcpy(&bytes[20], "C:\\Verdelo", 11);
  std::memcpy(&bytes[280], "D:\\Plants", 10);
  std::memcpy(&bytes[540], "web", 4);
  std::memcpy(&bytes[800], "check", 6);
  std::memset(&bytes[1060], 'd', 260);   // no terminator in the last text field
  std::memset(&bytes[1326], 0xEE, 674);  // beyond the record: ignored
  InstallRecord record;
  ASSERT_EQ(ParseInstallRecord(bytes.data(), bytes.size(), &record), ZRF_OK);
  EXPECT_EQ(int(record.useCustomDataFolder), 1);
  EXPECT_EQ(int(record.appendUserName), 0);
  EXPECT_STREQ(record.installFolder, "C:\\Verdelo");
  EXPECT_STREQ(record.customDataFolder, "D:\\Plants");
  EXPECT_STREQ(record.webAddress, "web");
  EXPECT_STREQ(record.updateCheckAddress, "check");
  EXPECT_EQ(std::strlen(record.downloadAddress), 259u);
}

TEST(ParseInstallRecord, ShortValuesAreRefusedWithoutTouchingTheRecord) {
  InstallRecord record;
  std::memset(&record, 0x5A, sizeof record);
  std::vector<unsigned char> shortValue(1325, 0);
  EXPECT_EQ(ParseInstallRecord(shortValue.data(), shortValue.size(), &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(ParseInstallRecord(nullptr, 2000, &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(record.installFolder[0], 0x5A);
}

}  // namespace
