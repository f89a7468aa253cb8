// The package tests' shared helpers and their command line; see package_support_win.h.
#include "installer/tests/package_support_win.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <msiquery.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "installer/install_record_builder.h"
#include "tools/testdesktop/desktop_query.h"
#include "tools/testsupport/wine_path.h"

namespace package_test {

std::string gPackage;
std::string gViewer;
std::string gTestDesktop;
std::string gOver;

namespace {

// The package's own upgrade code, from its Property table.
std::string UpgradeCode() {
  std::string code;
  MSIHANDLE database = 0;
  MSIHANDLE view = 0;
  MSIHANDLE record = 0;
  char value[39] = "";
  DWORD size = sizeof value;
  if (MsiOpenDatabaseA(ToWinePath(gPackage).c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
      MsiDatabaseOpenViewA(database, "SELECT `Value` FROM `Property` WHERE `Property` = 'UpgradeCode'", &view) ==
          ERROR_SUCCESS &&
      MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS &&
      MsiRecordGetStringA(record, 1, value, &size) == ERROR_SUCCESS)
    code = value;
  for (MSIHANDLE handle : {record, view, database})
    if (handle != 0) MsiCloseHandle(handle);
  return code;
}

}  // namespace

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
  return path;
}

std::string InstallFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Verdelo"; }
std::string DataFolder() { return KnownFolder(CSIDL_APPDATA) + "\\Brambeck\\Verdelo"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<char> Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SiblingPackage(const std::string& suffix) {
  return gPackage.substr(0, gPackage.size() - 4) + suffix;
}

ScopedHandle StartProcess(std::string command, const char* folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                      &process))
    return ScopedHandle();
  CloseHandle(process.hThread);
  return ScopedHandle(process.hProcess);
}

int Run(std::string command, const char* folder) {
  const ScopedHandle process = StartProcess(std::move(command), folder);
  DWORD code = DWORD(-1);
  if (process.IsValid() && WaitForSingleObject(process.Get(), INFINITE) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.Get(), &code);
  return int(code);
}

int Msiexec(const char* action, const std::string& package, const char* log, const char* properties) {
  return Run("msiexec.exe " + std::string(action) + " \"" + ToWinePath(package) + "\" /qn /norestart /l*v " +
             log + " " + properties);
}

bool Succeeded(int msiexecResult) {
  return msiexecResult == 0 || msiexecResult == int(ERROR_SUCCESS_REBOOT_REQUIRED);
}

std::vector<std::string> InstalledProducts() {
  static const std::string upgradeCode = UpgradeCode();
  std::vector<std::string> products;
  char product[39];
  for (DWORD i = 0; MsiEnumRelatedProductsA(upgradeCode.c_str(), 0, i, product) == ERROR_SUCCESS; ++i)
    products.push_back(product);
  return products;
}

std::vector<std::string> InstalledVersions() {
  std::vector<std::string> versions;
  for (const std::string& product : InstalledProducts()) {
    char version[64] = "";
    DWORD size = sizeof version;
    MsiGetProductInfoA(product.c_str(), INSTALLPROPERTY_VERSIONSTRING, version, &size);
    versions.push_back(version);
  }
  return versions;
}

bool LogHolds(const char* log, const std::string& text) {
  std::vector<char> bytes = Contents(log);
  bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
  return std::string(bytes.begin(), bytes.end()).find(text) != std::string::npos;
}

std::vector<PackageFile> PackageFiles(const std::string& package) {
  std::ifstream in(package + ".files");
  std::vector<PackageFile> files;
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) files.push_back({line.substr(0, tab), ToWinePath(line.substr(tab + 1))});
  }
  return files;
}

bool TestDesktop::Start() {
  const ScopedHandle ready(CreateEventA(nullptr, TRUE, FALSE, testdesktop::kReadyEvent));
  process_ = StartProcess("\"" + ToWinePath(gTestDesktop) + "\" progman");
  if (!process_.IsValid()) return false;
  // A desktop that cannot make its windows ends instead of getting ready.
  const HANDLE either[] = {ready.Get(), process_.Get()};
  return WaitForMultipleObjects(2, either, FALSE, 30000) == WAIT_OBJECT_0;
}

unsigned TestDesktop::Status() const {
  const HWND control = FindWindowA(testdesktop::kControlClass, nullptr);
  DWORD_PTR status = 0;
  if (control == nullptr ||
      !SendMessageTimeoutA(control, WM_APP + testdesktop::QueryStatus, 0, 0, SMTO_NORMAL, 5000, &status))
    return 0;
  return unsigned(status);
}

TestDesktop::~TestDesktop() {
  if (process_.Get()) TerminateProcess(process_.Get(), 0);
}

bool HasControlWindow(DWORD id) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "ZRFPhantom", installer::kProductName)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == id) return true;
  }
  return false;
}

ScopedHandle StartPlant(const std::string& installFolder) {
  ScopedHandle plant =
      StartProcess("\"" + installFolder + "\\Verdelo.exe\" -LOADPLANT " + kPlantFile, installFolder.c_str());
  const DWORD id = GetProcessId(plant.Get());
  const DWORD started = GetTickCount();
  for (int i = 0; i < 600 && plant.IsValid() && !HasControlWindow(id); ++i) {
    if (WaitForSingleObject(plant.Get(), 100) == WAIT_OBJECT_0) {
      // What the plant left behind tells a loader failure (an NTSTATUS) from a start that ended
      // itself, and whether another plant process was there first.
      DWORD code = 0;
      GetExitCodeProcess(plant.Get(), &code);
      std::printf("[ PLANT    ] Verdelo.exe ended with exit code 0x%lX after %lu ms without a control window; "
                  "plant processes running: %zu\n",
                  static_cast<unsigned long>(code), static_cast<unsigned long>(GetTickCount() - started),
                  PlantProcesses().size());
      return ScopedHandle();
    }
  }
  return plant.IsValid() && HasControlWindow(id) ? std::move(plant) : ScopedHandle();
}

std::vector<DWORD> PlantProcesses() {
  std::vector<DWORD> ids;
  const ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
    if (_stricmp(entry.szExeFile, "Verdelo.exe") == 0) ids.push_back(entry.th32ProcessID);
  return ids;
}

}  // namespace package_test

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--over=", 0) == 0) {
      package_test::gOver = argument.substr(7);
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.size() >= 2) {
    package_test::gPackage = positional[0];
    package_test::gViewer = positional[1];
  }
  if (positional.size() >= 3) package_test::gTestDesktop = positional[2];
  return RUN_ALL_TESTS();
}
