// VerdeloSetup.dll: the package's own custom actions, run by Windows Installer from the package's
// Binary table (so they work before any file is installed and after every file is gone).
//   FindInstallFolder         upgrade: installs into the folder the installed version's record names
//   EndRunningPlants          uninstall and upgrade: plants save and end before their files go
//   RemoveLeftoverFiles       uninstall: files still held go at the next restart ("restart needed")
//   RemoveAutostartShortcuts  uninstall: the plants' autostart shortcuts go with the program
// None of them fails the installation: each logs what it did and leaves the rest to the installer.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/base/zrf_results.h"
#include "framework/files/install_record_win.h"
#include "installer/autostart_cleanup_win.h"
#include "installer/install_record_builder.h"
#include "installer/leftover_files_win.h"
#include "installer/running_plants_win.h"

namespace {

// Saving a plant takes well under a second; a busy machine gets plenty more.
constexpr uint32_t kPlantEndTimeoutMs = 30000;

std::string Property(MSIHANDLE install, const char* name) {
  char empty[1] = "";
  DWORD size = 0;
  if (MsiGetPropertyA(install, name, empty, &size) != ERROR_MORE_DATA) return "";
  std::string value(size + 1, '\0');
  ++size;
  if (MsiGetPropertyA(install, name, value.data(), &size) != ERROR_SUCCESS) return "";
  value.resize(size);
  return value;
}

void Log(MSIHANDLE install, const std::string& text) {
  const MSIHANDLE record = MsiCreateRecord(0);
  MsiRecordSetStringA(record, 0, ("Verdelo: " + text).c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
  MsiCloseHandle(record);
}

// The deferred actions' data: fields separated by "|", which no path or file name can hold.
std::vector<std::string> SplitActionData(const std::string& data) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t bar = data.find('|'); bar != std::string::npos; bar = data.find('|', start)) {
    fields.push_back(data.substr(start, bar - start));
    start = bar + 1;
  }
  fields.push_back(data.substr(start));
  return fields;
}

}  // namespace

// Immediate, before the target folders are settled, when an older version is installed: a folder
// given on the command line wins; otherwise the installed record's folder, when it still exists,
// becomes the install folder, so that an upgrade keeps the folder the user chose.
extern "C" __declspec(dllexport) UINT __stdcall FindInstallFolder(MSIHANDLE install) {
  if (!Property(install, "INSTALLDIR").empty()) return ERROR_SUCCESS;
  InstallRecord record;
  if (ReadInstallRecord(installer::kProductName, &record) != ZRF_OK) return ERROR_SUCCESS;
  std::string folder(record.installFolder, strnlen(record.installFolder, sizeof record.installFolder));
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (folder.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return ERROR_SUCCESS;
  if (folder.back() != '\\') folder += '\\';
  MsiSetPropertyA(install, "INSTALLDIR", folder.c_str());
  Log(install, "keeping the install folder " + folder);
  return ERROR_SUCCESS;
}

// Deferred, as the user, before the record and the files are removed.
extern "C" __declspec(dllexport) UINT __stdcall EndRunningPlants(MSIHANDLE install) {
  const installer::RunningPlants plants = installer::EndRunningPlants(kPlantEndTimeoutMs);
  if (plants.asked != 0)
    Log(install, "asked " + std::to_string(plants.asked) + " running plant processes to end; " +
                     std::to_string(plants.stillRunning) + " still running");
  return ERROR_SUCCESS;
}

// Deferred, after the installer removed the files. Data: "<install folder>|<file>|<file>...".
extern "C" __declspec(dllexport) UINT __stdcall RemoveLeftoverFiles(MSIHANDLE install) {
  std::vector<std::string> fields = SplitActionData(Property(install, "CustomActionData"));
  const std::string folder = fields.front();
  fields.erase(fields.begin());
  const int32_t scheduled = installer::RemoveLeftoverFiles(folder, fields);
  if (scheduled != 0) {
    Log(install, std::to_string(scheduled) + " files in use are removed at the next restart");
    MsiSetMode(install, MSIRUNMODE_REBOOTATEND, TRUE);
  }
  return ERROR_SUCCESS;
}

// Deferred, as the user.
extern "C" __declspec(dllexport) UINT __stdcall RemoveAutostartShortcuts(MSIHANDLE install) {
  const int32_t deleted = installer::RemoveAutostartShortcuts();
  if (deleted != 0) Log(install, "removed " + std::to_string(deleted) + " autostart shortcuts");
  return ERROR_SUCCESS;
}
