// Taking the install record from the bytes of its registry value.
#include "framework/files/install_record.h"

#include <cstring>

#include "framework/base/zrf_results.h"

int32_t ParseInstallRecord(const void* bytes, size_t size, InstallRecord* record) {
  if (bytes == nullptr || size < sizeof(InstallRecord)) return ZRF_ERR_INSTALL;
  InstallRecord parsed;
  std::memcpy(&parsed, bytes, sizeof parsed);
  // The installation is outside this program; its texts are not trusted to end inside their fields.
  parsed.installFolder[kInstallTextSize - 1] = '\0';
  parsed.customDataFolder[kInstallTextSize - 1] = '\0';
  parsed.webAddress[kInstallTextSize - 1] = '\0';
  parsed.updateCheckAddress[kInstallTextSize - 1] = '\0';
  parsed.downloadAddress[kInstallTextSize - 1] = '\0';
  *record = parsed;
  return ZRF_OK;
}
