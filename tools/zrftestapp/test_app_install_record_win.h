// Test support: the install record that lets the framework test program start, naming the data
// folder a test gives it, and, for the update check's tests, its other fields.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/base/scoped_handles_win.h"
#include "framework/files/install_record.h"
#include "tools/zrftestapp/test_app_protocol.h"

/// A record with `dataFolder` as its custom data folder, used for the data folder and the common
/// one alike; every other field empty.
inline InstallRecord TestAppInstallRecord(const std::string& dataFolder) {
  InstallRecord record{};
  record.useCustomDataFolder = 1;
  std::snprintf(record.customDataFolder, sizeof record.customDataFolder, "%s", dataFolder.c_str());
  return record;
}

/// Writes `record` as the test program's install record (HKEY_LOCAL_MACHINE).
inline void PutTestAppInstallRecord(const InstallRecord& record) {
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), zrftest::kProductName, 0, REG_BINARY,
                           reinterpret_cast<const BYTE*>(&record), sizeof record),
            ERROR_SUCCESS);
}

/// Writes the test program's install record naming `dataFolder` (TestAppInstallRecord).
inline void PutTestAppInstallRecord(const std::string& dataFolder) {
  PutTestAppInstallRecord(TestAppInstallRecord(dataFolder));
}
