// VerdeloSetup.dll: the package's own custom actions, run by Windows Installer from the package's
// Binary table (so they work before any file is installed and after every file is gone).
//   FindInstallFolder         upgrade: installs into the folder the installed version's record names
//   FindUpgradingProduct      removal: tells an upgrade's removal of the older version from an uninstall
//   EndPlantsForUpgrade       upgrade: plants save and end before their files are replaced, and are
//                             noted for RestartPlants
//   RestartPlants             upgrade, done or rolled back: the plants it ended start again
//   EndRunningPlants          uninstall: plants save and end before their files go
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
#include "installer/plant_command_list.h"
#include "installer/running_plants_win.h"
#include "installer/wide_text_win.h"

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

// A property as UTF-8, for values that may hold any character (command lines).
std::string WideProperty(MSIHANDLE install, const wchar_t* name) {
  wchar_t empty[1] = L"";
  DWORD size = 0;
  if (MsiGetPropertyW(install, name, empty, &size) != ERROR_MORE_DATA) return "";
  std::wstring value(size + 1, L'\0');
  ++size;
  if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) return "";
  value.resize(size);
  return installer::Utf8FromWide(value);
}

void Log(MSIHANDLE install, const std::string& text) {
  const MSIHANDLE record = MsiCreateRecord(0);
  MsiRecordSetStringA(record, 0, ("Verdelo: " + text).c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
  MsiCloseHandle(record);
}

void LogEndedPlants(MSIHANDLE install, const installer::RunningPlants& plants) {
  if (plants.asked != 0)
    Log(install, "asked " + std::to_string(plants.asked) + " running plant processes to end; " +
                     std::to_string(plants.stillRunning) + " still running");
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

namespace {

// A product other than this one that uses one of this package's components, or "". During an
// upgrade the newer version, which shares them, is one from the moment it registered them.
std::string OtherClient(MSIHANDLE install) {
  const std::string self = Property(install, "ProductCode");
  std::string other;
  const MSIHANDLE database = MsiGetActiveDatabase(install);
  MSIHANDLE view = 0;
  if (MsiDatabaseOpenViewA(database, "SELECT `ComponentId` FROM `Component`", &view) == ERROR_SUCCESS &&
      MsiViewExecute(view, 0) == ERROR_SUCCESS) {
    MSIHANDLE record = 0;
    while (other.empty() && MsiViewFetch(view, &record) == ERROR_SUCCESS) {
      char component[39] = "";
      DWORD size = sizeof component;
      char product[39] = "";
      if (MsiRecordGetStringA(record, 1, component, &size) == ERROR_SUCCESS)
        for (DWORD i = 0; other.empty() && MsiEnumClientsA(component, i, product) == ERROR_SUCCESS; ++i)
          if (_stricmp(product, self.c_str()) != 0) other = product;
      MsiCloseHandle(record);
    }
  }
  if (view != 0) MsiCloseHandle(view);
  MsiCloseHandle(database);
  return other;
}

}  // namespace

// Immediate, when the product is being removed. Windows Installer sets UPGRADINGPRODUCTCODE when
// an upgrade removes the older version, and Wine's does not: there the removal runs as a plain
// uninstall, and would delete the shortcuts, the record and every file the newer version has just
// taken over. The newer version has registered the components it shares by then, which tells the
// same.
extern "C" __declspec(dllexport) UINT __stdcall FindUpgradingProduct(MSIHANDLE install) {
  if (!Property(install, "UPGRADINGPRODUCTCODE").empty()) return ERROR_SUCCESS;
  const std::string other = OtherClient(install);
  if (other.empty()) return ERROR_SUCCESS;
  MsiSetPropertyA(install, "UPGRADINGPRODUCTCODE", other.c_str());
  Log(install, "removed as part of the upgrade to " + other);
  return ERROR_SUCCESS;
}

// Immediate, as the user, before the files are replaced: the plants end as on an uninstall, and
// what each was started with becomes the data of both restarting actions, the one that runs when
// the upgrade is done and the one that runs when it is rolled back (a deferred action reads the
// property named after it).
extern "C" __declspec(dllexport) UINT __stdcall EndPlantsForUpgrade(MSIHANDLE install) {
  const installer::RunningPlants plants = installer::EndRunningPlants(kPlantEndTimeoutMs);
  LogEndedPlants(install, plants);
  int32_t leftOut = 0;
  const std::wstring list = installer::WideFromUtf8(installer::FormatPlantCommands(plants.ended, &leftOut));
  if (plants.unread + leftOut != 0)
    Log(install, std::to_string(plants.unread + leftOut) + " ended plants cannot be started again");
  MsiSetPropertyW(install, L"RestartPlants", list.c_str());
  MsiSetPropertyW(install, L"RestartPlantsOnRollback", list.c_str());
  return ERROR_SUCCESS;
}

// Deferred and rollback, as the user. Data: the list EndPlantsForUpgrade made.
extern "C" __declspec(dllexport) UINT __stdcall RestartPlants(MSIHANDLE install) {
  const std::vector<installer::PlantCommand> plants =
      installer::ParsePlantCommands(WideProperty(install, L"CustomActionData"));
  const int32_t started = installer::StartPlants(plants);
  Log(install, "started " + std::to_string(started) + " of " + std::to_string(plants.size()) + " ended plants again");
  return ERROR_SUCCESS;
}

// Deferred, as the user, before the record and the files are removed.
extern "C" __declspec(dllexport) UINT __stdcall EndRunningPlants(MSIHANDLE install) {
  LogEndedPlants(install, installer::EndRunningPlants(kPlantEndTimeoutMs));
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
