// The install record read from the registry. The test writes the value into HKLM
// "Software\Brambeck" of its own Wine prefix; being a 64-bit program it uses the 64-bit view.
#include "framework/files/install_record_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_results.h"

namespace {

constexpr char kProduct[] = "VerdeloRecordTest";

void PutValue(const std::vector<unsigned char>& bytes, DWORD type = REG_BINARY) {
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), kProduct, 0, type, bytes.data(), DWORD(bytes.size())), ERROR_SUCCESS);
}

std::vector<unsigned char> InstallValue(size_t size) {
  std::vector<unsigned char> bytes(size, 0);
  std::memcpy(&bytes[20], "C:\\Program Files\\Verdelo", 25);
  if (size > 1326) std::memset(&bytes[1326], 'z', size - 1326);
  return bytes;
}

TEST(ReadInstallRecord, ExactAndOversizedValues) {
  InstallRecord record{};
  PutValue(InstallValue(1326));
  ASSERT_EQ(ReadInstallRecord(kProduct, &record), ZRF_OK);
  EXPECT_STREQ(record.installFolder, "C:\\Program Files\\Verdelo");
  std::vector<unsigned char> oversized = InstallValue(2000);
  std::memset(&oversized[1060], 'd', 260);  // no terminator in the last text field
  PutValue(oversized);
  ASSERT_EQ(ReadInstallRecord(kProduct, &record), ZRF_OK);
  EXPECT_EQ(std::memcmp(&record, oversized.data(), 1060), 0);
  EXPECT_EQ(std::strlen(record.downloadAddress), 259u);
}

TEST(ReadInstallRecord, MissingShortWrongTypeAndHugeValuesFail) {
  InstallRecord record;
  std::memset(&record, 0x5A, sizeof record);
  EXPECT_EQ(ReadInstallRecord("NoSuchProduct", &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(ReadInstallRecord("", &record), ZRF_ERR_INSTALL);
  PutValue(InstallValue(1325));
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);
  PutValue({});
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);
  PutValue(InstallValue(1326), REG_SZ);
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);
  PutValue(InstallValue(kInstallValueLimit + 16));
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(record.installFolder[0], 0x5A);  // no failure touched the record
}

}  // namespace
