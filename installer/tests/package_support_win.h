// What the package tests share: the package under test and its siblings, msiexec runs, the
// installed products and files, the test desktop and the installed plant program.
//   package_win_tests PACKAGE.msi VIEWER.exe [TEST_DESKTOP.exe] [--over=SUFFIX]
// PACKAGE-older.msi, PACKAGE-newer.msi and PACKAGE-rebuild.msi lie beside PACKAGE.msi, and beside
// each package PACKAGE.msi.files lists what it installs ("<path below the install folder><TAB>
// <Linux path of the file it installs>" a line).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/base/scoped_handles_win.h"

namespace package_test {

/// The command line's package, viewer and test desktop (empty when not given), and the suffix of
/// the sibling package that an upgrade test installs over it ("-newer.msi").
extern std::string gPackage;
extern std::string gViewer;
extern std::string gTestDesktop;
extern std::string gOver;

inline constexpr char kPlantFile[] = "Greenleaf.plt";

std::string KnownFolder(int csidl);
/// The install folder in the programs folder of this program's width ("Program Files (x86)" for a
/// 32-bit program on 64-bit Windows), and the user's data folder.
std::string InstallFolder();
std::string DataFolder();
bool Exists(const std::string& path);
std::vector<char> Contents(const std::string& path);
/// The package beside gPackage whose name ends in `suffix` instead of ".msi".
std::string SiblingPackage(const std::string& suffix);

/// Starts `command` in `folder` (this process's, when null); the process, or none when it could
/// not be started.
ScopedHandle StartProcess(std::string command, const char* folder = nullptr);
/// Starts `command` in `folder` and waits for it (ctest's time-out bounds the wait); its exit
/// code, or -1.
int Run(std::string command, const char* folder = nullptr);
/// A quiet msiexec run that restarts nothing; its exit code (3010: done, a restart is needed).
int Msiexec(const char* action, const std::string& package, const char* log, const char* properties = "");
/// Whether an msiexec exit code means done, with or without a restart needed.
bool Succeeded(int msiexecResult);
/// The codes of the installed products of gPackage's upgrade code (read from the package).
std::vector<std::string> InstalledProducts();
/// Their versions.
std::vector<std::string> InstalledVersions();
/// Whether an msiexec log holds `text` (the log may be written in UTF-16).
bool LogHolds(const char* log, const std::string& text);

/// One file a package installs.
struct PackageFile {
  std::string name;    ///< below the install folder, such as "Init\Greenleaf.plt"
  std::string source;  ///< the file the package was built from, as this program reaches it
};
/// What `package` installs, from its ".files" list; empty when the list cannot be read.
std::vector<PackageFile> PackageFiles(const std::string& package);

/// The test desktop, which the installed program needs: it links the hook library, which does not
/// load before a desktop list view exists. Ended with the object.
class TestDesktop {
 public:
  bool Start();
  /// Its status bits (testdesktop::kLibraryLoaded...), 0 when it does not answer.
  unsigned Status() const;
  ~TestDesktop();

 private:
  ScopedHandle process_;
};

/// Whether process `id` has its control window, which a plant makes once its start-up is through.
bool HasControlWindow(DWORD id);
/// Starts the installed plant program from the install folder and waits (bounded) until it runs
/// its message loop; the process, or none when it did not get there.
ScopedHandle StartPlant(const std::string& installFolder);
/// The ids of the running processes of the plant program.
std::vector<DWORD> PlantProcesses();

}  // namespace package_test
