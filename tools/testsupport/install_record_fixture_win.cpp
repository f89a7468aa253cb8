// The install record for tests and runs; see install_record_fixture_win.h.
#include "tools/testsupport/install_record_fixture_win.h"

#include <cstdio>
#include <cstring>

#include "installer/install_record_builder.h"
#include "installer/install_record_registry_win.h"

bool PutInstallRecord(const std::string& installFolder, const std::string& dataFolder, std::string* why) {
  installer::InstallRecordBytes bytes;
  const installer::RecordResult built = installer::BuildInstallRecord(installFolder, &bytes);
  if (built != installer::RecordResult::Ok) {
    *why = installer::RecordResultText(built);
    return false;
  }
  InstallRecord record;
  std::memcpy(&record, bytes.data(), sizeof record);
  if (!dataFolder.empty()) {
    record.useCustomDataFolder = 1;
    std::snprintf(record.customDataFolder, sizeof record.customDataFolder, "%s", dataFolder.c_str());
  }
  // Every start of the plant program checks for an update first: a test or a run on this machine
  // must not ask the maker's server (nor look its name up).
  std::memset(record.updateCheckAddress, 0, sizeof record.updateCheckAddress);
  std::memcpy(bytes.data(), &record, sizeof record);
  const LONG status = installer::WriteInstallRecord(bytes);
  if (status != ERROR_SUCCESS) {
    *why = "cannot write the install record, error " + std::to_string(status);
    return false;
  }
  return true;
}
