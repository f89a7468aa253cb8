// The install record read from the registry: written here into HKLM "Software\Brambeck" of the
// test's own Wine prefix (the 64-bit view, since this test is a 64-bit program) and read back.
#include "framework/install_record_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/scoped_handles_win.h"
#include "framework/zrf_results.h"

namespace {

constexpr char kProduct[] = "VerdeloRecordTest";

void PutValue(const void* bytes, DWORD size, DWORD type = REG_BINARY) {
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), kProduct, 0, type, static_cast<const BYTE*>(bytes), size),
            ERROR_SUCCESS);
}

void DeleteValue() {
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_WRITE, key.Receive()) == ERROR_SUCCESS)
    RegDeleteValueA(key.Get(), kProduct);
}

std::vector<unsigned char> InstallValue(size_t size) {
  std::vector<unsigned char> bytes(size, 0);
  bytes[16] = 1;
  std::memcpy(&bytes[20], "C:\\Program Files\\Verdelo", 25);
  std::memcpy(&bytes[540], "https://example.com/", 21);
  return bytes;
}

TEST(ReadInstallRecord, ValueWrittenByAnInstallationIsRead) {
  std::vector<unsigned char> value = InstallValue(1326);
  PutValue(value.data(), DWORD(value.size()));
  InstallRecord record{};
  ASSERT_EQ(ReadInstallRecord(kProduct, &record), ZRF_OK);
  EXPECT_EQ(int(record.useCustomDataFolder), 1);
  EXPECT_STREQ(record.installFolder, "C:\\Program Files\\Verdelo");
  EXPECT_STREQ(record.webAddress, "https://example.com/");
  DeleteValue();
}

TEST(ReadInstallRecord, OversizedValueUsesItsFirstBytes) {
  std::vector<unsigned char> value = InstallValue(2000);
  std::memset(&value[1326], 'z', 2000 - 1326);
  std::memset(&value[1060], 'd', 260);  // no terminator in the last text field
  PutValue(value.data(), DWORD(value.size()));
  InstallRecord record{};
  ASSERT_EQ(ReadInstallRecord(kProduct, &record), ZRF_OK);
  EXPECT_EQ(std::memcmp(&record, value.data(), 1060), 0);
  EXPECT_EQ(std::strlen(record.downloadAddress), 259u);
  DeleteValue();
}

TEST(ReadInstallRecord, MissingShortWrongAndHugeValuesFail) {
  InstallRecord record;
  std::memset(&record, 0x5A, sizeof record);
  DeleteValue();
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(ReadInstallRecord("", &record), ZRF_ERR_INSTALL);
  EXPECT_EQ(ReadInstallRecord(nullptr, &record), ZRF_ERR_INSTALL);

  std::vector<unsigned char> shortValue = InstallValue(1325);
  PutValue(shortValue.data(), DWORD(shortValue.size()));
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);
  PutValue("", 0);
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);

  std::vector<unsigned char> text = InstallValue(1326);
  PutValue(text.data(), DWORD(text.size()), REG_SZ);
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);

  std::vector<unsigned char> huge = InstallValue(kInstallValueLimit + 16);
  PutValue(huge.data(), DWORD(huge.size()));
  EXPECT_EQ(ReadInstallRecord(kProduct, &record), ZRF_ERR_INSTALL);

  EXPECT_EQ(record.installFolder[0], 0x5A);  // every failure left the record alone
  DeleteValue();
}

}  // namespace
