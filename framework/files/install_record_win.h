// Reading the install record from the registry.
#pragma once

#include <cstdint>

#include "framework/files/install_record.h"

/// Reads the install record of `productName` from HKEY_LOCAL_MACHINE "Software\Brambeck".
/// Returns 0, or ZRF_ERR_INSTALL (record unchanged) when the product name is empty, the key or
/// value is missing, is not REG_BINARY, cannot be read, is shorter than 1326 bytes or larger than
/// kInstallValueLimit.
[[nodiscard]] int32_t ReadInstallRecord(const char* productName, InstallRecord* record);
