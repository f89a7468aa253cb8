// Test support: the install record that lets the framework test program start, naming the data
// folder a test gives it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/base/scoped_handles_win.h"
#include "framework/files/install_record.h"
#include "tools/zrftestapp/test_app_protocol.h"

/// Writes the test program's install record (HKEY_LOCAL_MACHINE) with `dataFolder` as its custom
/// data folder, used for the data folder and the common one alike.
inline void PutTestAppInstallRecord(const std::string& dataFolder) {
  InstallRecord record{};
  record.useCustomDataFolder = 1;
  std::snprintf(record.customDataFolder, sizeof record.customDataFolder, "%s", dataFolder.c_str());
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), zrftest::kProductName, 0, REG_BINARY,
                           reinterpret_cast<const BYTE*>(&record), sizeof record),
            ERROR_SUCCESS);
}
