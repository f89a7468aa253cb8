// Reading the install record from the registry.
#include "framework/files/install_record_win.h"

#include <windows.h>

#include <vector>

#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_results.h"

int32_t ReadInstallRecord(const char* productName, InstallRecord* record) {
  // An empty name would read the key's default value, which is no install record.
  if (productName == nullptr || *productName == '\0') return ZRF_ERR_INSTALL;
  ScopedRegKey key;
  // No KEY_WOW64_* flag on purpose: each build reads its own registry view. The 32-bit program
  // on 64-bit Windows therefore reads Software\Wow6432Node\Brambeck, which is where a 32-bit
  // installation writes the record; the 64-bit test build reads the 64-bit view.
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return ZRF_ERR_INSTALL;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), productName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_BINARY || size < sizeof(InstallRecord) || size > kInstallValueLimit)
    return ZRF_ERR_INSTALL;
  // The whole value is read: a buffer too small for it leaves the bytes undefined. The value may
  // change between the two queries, so the second size is checked again.
  std::vector<unsigned char> bytes(size);
  DWORD readSize = size;
  if (RegQueryValueExA(key.Get(), productName, nullptr, &type, bytes.data(), &readSize) != ERROR_SUCCESS ||
      type != REG_BINARY || readSize > size)
    return ZRF_ERR_INSTALL;
  return ParseInstallRecord(bytes.data(), readSize, record);
}
