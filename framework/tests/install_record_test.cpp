// Taking the install record from its registry bytes: size rule and text termination.
#include "framework/install_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/zrf_results.h"

namespace {

// A value as an installation writes it: flags, then texts at the offsets of the layout table.
std::vector<unsigned char> InstallValue(size_t size) {
  std::vector<unsigned char> bytes(size, 0);
  bytes[16] = 1;
  bytes[18] = 1;
  std::memcpy(&bytes[20], "C:\\Program Files\\Verdelo", 25);
  std::memcpy(&bytes[280], "D:\\Plants", 10);
  std::memcpy(&bytes[540], "https://example.com/", 21);
  std::memcpy(&bytes[800], "https://example.com/v", 22);
  std::memcpy(&bytes[1060], "https://example.com/d", 22);
  return bytes;
}

TEST(ParseInstallRecord, FieldsComeFromTheirOffsets) {
  std::vector<unsigned char> bytes = InstallValue(1326);
  InstallRecord record{};
  ASSERT_EQ(ParseInstallRecord(bytes.data(), bytes.size(), &record), ZRF_OK);
  EXPECT_EQ(int(record.useCustomDataFolder), 1);
  EXPECT_EQ(int(record.appendUserName), 1);
  EXPECT_STREQ(record.installFolder, "C:\\Program Files\\Verdelo");
  EXPECT_STREQ(record.customDataFolder, "D:\\Plants");
  EXPECT_STREQ(record.webAddress, "https://example.com/");
  EXPECT_STREQ(record.updateCheckAddress, "https://example.com/v");
  EXPECT_STREQ(record.downloadAddress, "https://example.com/d");
}

TEST(ParseInstallRecord, ShortValuesAreRefusedAndLongOnesCut) {
  InstallRecord record;
  std::memset(&record, 0x5A, sizeof record);
  std::vector<unsigned char> shortValue = InstallValue(1325);
  EXPECT_EQ(ParseInstallRecord(shortValue.data(), shortValue.size(), &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(ParseInstallRecord(nullptr, 2000, &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(ParseInstallRecord(shortValue.data(), 0, &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(record.installFolder[0], 0x5A);  // untouched

  std::vector<unsigned char> longValue = InstallValue(2000);
  std::memset(&longValue[1326], 0xEE, 2000 - 1326);
  ASSERT_EQ(ParseInstallRecord(longValue.data(), longValue.size(), &record), ZRF_OK);
  EXPECT_EQ(std::memcmp(&record, longValue.data(), 1320), 0);
}

TEST(ParseInstallRecord, TextsWithoutTerminatorEndInsideTheirFields) {
  std::vector<unsigned char> bytes(1326, 'x');
  InstallRecord record;
  ASSERT_EQ(ParseInstallRecord(bytes.data(), bytes.size(), &record), ZRF_OK);
  for (const char* text : {record.installFolder, record.customDataFolder, record.webAddress,
                           record.updateCheckAddress, record.downloadAddress})
    EXPECT_EQ(std::strlen(text), 259u);
}

}  // namespace
