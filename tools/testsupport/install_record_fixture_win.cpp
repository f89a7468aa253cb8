// The install record for tests and runs; see install_record_fixture_win.h.
#include "tools/testsupport/install_record_fixture_win.h"

#include <windows.h>

#include <cstdio>

#include "framework/base/scoped_handles_win.h"
#include "framework/files/install_record.h"

bool PutInstallRecord(const char* productName, const std::string& installFolder, const std::string& dataFolder,
                      std::string* why) {
  InstallRecord record{};
  std::snprintf(record.installFolder, sizeof record.installFolder, "%s", installFolder.c_str());
  if (!dataFolder.empty()) {
    record.useCustomDataFolder = 1;
    std::snprintf(record.customDataFolder, sizeof record.customDataFolder, "%s", dataFolder.c_str());
  }
  ScopedRegKey key;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                key.Receive(), nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExA(key.Get(), productName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record),
                            sizeof record);
  }
  if (status != ERROR_SUCCESS) {
    *why = "cannot write the install record, error " + std::to_string(status);
    return false;
  }
  return true;
}
