// A package of this tree's programs under Wine's msiexec, in this run's own prefix: the x86_64 test
// package, or in the win32 tree the product, seen as a 32-bit program on 64-bit Windows sees it. A
// quiet install puts the files, the Start-menu shortcut and the install record in place; the
// framework's start-up steps accept that record and seed a data folder from the installed "Init"
// folder; the framework's help opening reaches every topic of the installed manual through the
// associated viewer (a stand-in that reads the topic with Windows' own help-file reader). The next
// version then replaces it (one product, the record intact), the previous version is refused, and
// a quiet uninstall with a plant running ends and saves the plant and removes what it installed,
// the plant's autostart shortcut with it, while the user's data folder survives. With the test
// desktop given (VERDELO_TEST_INSTALLED_PLANT), the installed plant program is started from the
// install folder. The command line: package_support_win.h.
#include <gtest/gtest.h>
#include <windows.h>

#include <msi.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/app/data_folders_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_results.h"
#include "framework/files/install_record_win.h"
#include "framework/shell/help_file.h"
#include "framework/shell/autostart_shortcut_win.h"
#include "framework/shell/help_file_win.h"
#include "framework/shell/tests/shortcut_reader_win.h"
#include "installer/install_record_builder.h"
#include "installer/tests/package_support_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

using namespace package_test;

constexpr char kAutostartShortcut[] = "Verdelo-Greenleaf";
constexpr const char* kTopics[] = {"ConfigurationInformation.htm", "PlantCare.htm", "PlantOptions.htm",
                                   "PlantInfo.htm", "About.htm"};
constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

// Whether `path` is to be deleted at the next restart (an empty target after it in the list).
bool IsDeletedAtRestart(const std::string& path) {
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_QUERY_VALUE,
                    key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return false;
  std::vector<char> list(size + 2, '\0');
  if (RegQueryValueExA(key.Get(), "PendingFileRenameOperations", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(list.data()), &size) != ERROR_SUCCESS)
    return false;
  // Pairs of "\??\<source>" and its target, each ended by a NUL.
  for (const char* entry = list.data(); *entry != '\0';) {
    const std::string source = entry;
    const char* target = entry + source.size() + 1;
    if (*target == '\0' && source.size() >= path.size() &&
        _stricmp(source.c_str() + source.size() - path.size(), path.c_str()) == 0)
      return true;
    entry = target + std::strlen(target) + 1;
  }
  return false;
}

// The install record's value in one registry view: its bytes, or nothing when it is missing or
// not binary.
std::vector<unsigned char> RecordValue(REGSAM view) {
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_QUERY_VALUE | view, key.Receive()) !=
      ERROR_SUCCESS)
    return {};
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), installer::kProductName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_BINARY)
    return {};
  std::vector<unsigned char> bytes(size);
  if (RegQueryValueExA(key.Get(), installer::kProductName, nullptr, &type, bytes.data(), &size) !=
      ERROR_SUCCESS)
    return {};
  bytes.resize(size);
  return bytes;
}

bool KeyExists(REGSAM view) {
  ScopedRegKey key;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_QUERY_VALUE | view, key.Receive()) ==
         ERROR_SUCCESS;
}

// The 260-byte text field at `offset` holds `expected`, its terminator, and zeros after that.
void ExpectTextField(const std::vector<unsigned char>& bytes, size_t offset, const std::string& expected) {
  SCOPED_TRACE("text field at " + std::to_string(offset));
  ASSERT_LT(expected.size(), 260u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[offset]), expected.size()), expected);
  for (size_t i = expected.size(); i < 260; ++i) ASSERT_EQ(bytes[offset + i], 0) << "byte " << i;
}

void ExpectRecord(REGSAM view, const std::string& installFolder) {
  SCOPED_TRACE(view == KEY_WOW64_64KEY ? "64-bit view" : "32-bit view");
  const std::vector<unsigned char> bytes = RecordValue(view);
  ASSERT_EQ(bytes.size(), 1326u);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ(bytes[i], 0) << "reserved or flag byte " << i;
  ExpectTextField(bytes, 20, installFolder);
  ExpectTextField(bytes, 280, "");
  ExpectTextField(bytes, 540, "https://www.brambeck.example/verdelo/");
  ExpectTextField(bytes, 800, "https://www.brambeck.example/verdelo/version.txt");
  ExpectTextField(bytes, 1060, "https://www.brambeck.example/verdelo/download/");
  for (size_t i = 1320; i < 1326; ++i) EXPECT_EQ(bytes[i], 0) << "reserved byte " << i;
}

// The Start-menu shortcut, wherever this Windows keeps the all-users or the user's programs.
std::string FindShortcut() {
  for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    const std::string path = KnownFolder(csidl) + "\\Verdelo.lnk";
    if (Exists(path)) return path;
  }
  return "";
}

void ExpectShortcut(const std::string& installFolder) {
  const std::string path = FindShortcut();
  ASSERT_FALSE(path.empty()) << "no Verdelo.lnk among the programs";
  const ShortcutContents shortcut = ReadShortcut(path);
  EXPECT_STRCASEEQ(shortcut.target.c_str(), (installFolder + "\\Verdelo.exe").c_str());
  EXPECT_EQ(shortcut.arguments, "-LOADPLANT Greenleaf.plt");
}

void RegisterStandInViewer() {
  const std::string command = "\"" + ToWinePath(gViewer) + "\" \"%1\"";
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".chm", REG_SZ, "chm.file", 8), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "chm.file\\shell\\open\\command", REG_SZ, command.c_str(),
                         DWORD(command.size())),
            ERROR_SUCCESS);
}

// What the stand-in viewer found for `topic`: "opened", "missing", or "" while it has not run.
std::string ViewedTopic(const char* topic) {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  std::ifstream in(std::string(folder) + topic + ".viewed");
  std::string result;
  in >> result;
  return result;
}

// Each topic the program opens, opened as the program opens it (through the install folder of the
// record it read) with the viewer associated with help files, reaches the page in the manual.
void ExpectHelpTopicsOpen(const InstallRecord& record) {
  RegisterStandInViewer();
  std::vector<const char*> topics(std::begin(kTopics), std::end(kTopics));
  topics.push_back("NoSuchTopic.htm");
  for (const char* topic : topics)
    EXPECT_EQ(OpenHelpFile("Verdelo.chm", topic, record.installFolder, SystemHelpShellCalls()).result,
              kHelpOpened)
        << topic;
  // The viewers run on their own; each leaves its answer when it has read the manual.
  for (const char* topic : topics)
    for (int i = 0; i < 200 && ViewedTopic(topic).empty(); ++i) Sleep(100);
  for (const char* topic : kTopics) EXPECT_EQ(ViewedTopic(topic), "opened") << topic;
  EXPECT_EQ(ViewedTopic("NoSuchTopic.htm"), "missing");
}

// The start-up steps of the framework that exist so far, as the program runs them: the install
// record is read (no 0xF016), the data folder made and seeded from the installed "Init" folder.
void ExpectStartUpSeedsDataFolder(const std::string& installFolder, const std::string& dataFolder,
                                  const InstallRecord& record) {
  DataFolders folders;
  char failedFolder[kDataFolderSize] = "";
  ASSERT_EQ(PrepareDataFolders(record, installer::kProductName, 1, "tip", "menu", 1, &folders, failedFolder),
            ZRF_OK)
      << failedFolder;
  EXPECT_STRCASEEQ(folders.dataFolder, dataFolder.c_str());
  EXPECT_EQ(CopyInitFiles(record.installFolder, folders.dataFolder), 1);
  EXPECT_EQ(Contents(dataFolder + "\\" + kPlantFile), Contents(installFolder + "\\Init\\" + kPlantFile));
}

// Switched on with VERDELO_TEST_INSTALLED_PLANT once the plant program is packaged, in place of
// the framework steps above: the installed program, started from the install folder against the
// test desktop, gets through the framework's start-up (it writes "(ZRF)Cmd" after the install
// record and the data folders), has its data folder seeded, and ends on -QUIT.
void ExpectInstalledPlantStarts(const std::string& installFolder, const std::string& dataFolder) {
  const std::string program = installFolder + "\\Verdelo.exe";
  ASSERT_TRUE(Exists(program)) << "the package holds no Verdelo.exe";
  const ScopedHandle plant = StartPlant(installFolder);
  ASSERT_TRUE(plant.Get()) << "the installed plant did not start";
  const std::string startedMark = dataFolder + "\\(ZRF)Cmd.zrd";
  for (int i = 0; i < 300 && !Exists(startedMark); ++i) Sleep(100);
  EXPECT_TRUE(Exists(startedMark)) << "the start-up did not reach the settings";
  EXPECT_EQ(Contents(dataFolder + "\\" + kPlantFile).size(),
            Contents(installFolder + "\\Init\\" + kPlantFile).size());
  EXPECT_EQ(Run("\"" + program + "\" -QUIT", installFolder.c_str()), 0);
  EXPECT_EQ(WaitForSingleObject(plant.Get(), 30000), WAIT_OBJECT_0);
}

// What every state of the installed product shows: one product of our upgrade code, at `version`,
// the files of `package`, and the record naming its folder in both views.
void ExpectInstalled(const std::string& installFolder, const std::string& version, const std::string& package) {
  EXPECT_EQ(InstalledVersions(), std::vector<std::string>{version});
  const std::vector<PackageFile> files = PackageFiles(package);
  EXPECT_GE(files.size(), 7u) << "the package's list of files";
  for (const PackageFile& file : files) EXPECT_TRUE(Exists(installFolder + "\\" + file.name)) << file.name;
  for (REGSAM view : kViews) ExpectRecord(view, installFolder);
}

TEST(Package, InstallsUpgradesRefusesAnOlderVersionAndUninstallsAPlantThatRuns) {
  ASSERT_FALSE(gPackage.empty()) << "usage: package_win_tests PACKAGE.msi VIEWER.exe [TEST_DESKTOP.exe]";
  ScopedComInit com;
  const std::string installFolder = InstallFolder();
  const std::string dataFolder = DataFolder();
  const std::string newer = SiblingPackage("-newer.msi");
  ASSERT_FALSE(KeyExists(KEY_WOW64_64KEY) || KeyExists(KEY_WOW64_32KEY)) << "the prefix is not fresh";
  TestDesktop desktop;
  ASSERT_TRUE(gTestDesktop.empty() || desktop.Start()) << "the test desktop did not start";

  ASSERT_EQ(Msiexec("/i", gPackage, "package_install.log"), 0) << "see package_install.log";
  {
    SCOPED_TRACE("installed");
    ExpectInstalled(installFolder, VERDELO_TEST_VERSION, gPackage);
    EXPECT_EQ(Contents(installFolder + "\\Greenleaf.plt"), Contents(installFolder + "\\Init\\Greenleaf.plt"));
    EXPECT_FALSE(Exists(dataFolder)) << "the installation is not the program's first start";
    ExpectShortcut(installFolder);
  }
  InstallRecord record;
  ASSERT_EQ(ReadInstallRecord(installer::kProductName, &record), ZRF_OK);  // no 0xF016 at start-up
  EXPECT_STREQ(record.installFolder, installFolder.c_str());
  ExpectHelpTopicsOpen(record);
  if (gTestDesktop.empty()) {
    std::printf(
        "[   NOTE   ] the installed plant program is not started (VERDELO_TEST_INSTALLED_PLANT is off)\n");
    ExpectStartUpSeedsDataFolder(installFolder, dataFolder, record);
  } else {
    ExpectInstalledPlantStarts(installFolder, dataFolder);
  }
  {
    std::ofstream note(dataFolder + "\\notes.txt");
    note << "made by the user between install and uninstall\n";
  }

  // The next version replaces this one in its folder: one product, the record intact. The desktop
  // still holds the library the plant brought in, so its replacement may wait for the restart.
  const int upgraded = Msiexec("/i", newer, "package_upgrade.log");
  ASSERT_TRUE(Succeeded(upgraded)) << upgraded << ", see package_upgrade.log";
  ScopedHandle plant;  // runs on until the uninstall ends it
  {
    SCOPED_TRACE("upgraded");
    ExpectInstalled(installFolder, VERDELO_TEST_NEWER_VERSION, newer);
    ExpectShortcut(installFolder);
    if (!gTestDesktop.empty()) {
      plant = StartPlant(installFolder);
      EXPECT_TRUE(plant.Get()) << "the upgraded plant did not start";
    }
  }
  // The previous version is refused with its reason, and changes nothing.
  EXPECT_EQ(Msiexec("/i", SiblingPackage("-older.msi"), "package_downgrade.log"), int(ERROR_INSTALL_FAILURE));
  {
    SCOPED_TRACE("older version refused");
    // The reason is the launch condition's text (package_tables checks it); Wine's quiet
    // msiexec does not log it, but the newer product it found.
    EXPECT_TRUE(LogHolds("package_downgrade.log", "WIX_DOWNGRADE_DETECTED = {"));
    ExpectInstalled(installFolder, VERDELO_TEST_NEWER_VERSION, newer);
  }

  // Uninstalling with a plant running: the plant saves (its snapshot is written only when it
  // ends itself) and ends first, and its autostart shortcut goes with the program.
  const std::string snapshot = dataFolder + "\\Greenleaf.pim";
  if (plant.Get()) {
    ASSERT_EQ(WaitForSingleObject(plant.Get(), 0), DWORD(WAIT_TIMEOUT)) << "the plant ended before the uninstall";
    ASSERT_TRUE(DeleteFileA(snapshot.c_str()));
  }
  ASSERT_EQ(SetStartupShortcut(true, "-LOADPLANT Greenleaf.plt", false, nullptr, kAutostartShortcut,
                               (installFolder + "\\Verdelo.exe").c_str()),
            ZRF_OK);
  const int uninstalled = Msiexec("/x", newer, "package_uninstall.log");
  ASSERT_TRUE(Succeeded(uninstalled)) << uninstalled << ", see package_uninstall.log";
  SCOPED_TRACE("uninstalled");
  if (plant.Get()) {
    EXPECT_EQ(WaitForSingleObject(plant.Get(), 10000), WAIT_OBJECT_0) << "the plant still runs";
    EXPECT_TRUE(Exists(snapshot)) << "the plant did not save as it ended";
  }
  bool scheduled = false;
  for (const char* file : {"InstallRecord.exe", "Verdelo.exe", "Verdelo64.exe", "Ostrel64.dll", "Verdelo.chm",
                           "Greenleaf.plt", "Init\\Greenleaf.plt"}) {
    const std::string path = installFolder + "\\" + file;
    const bool atRestart = Exists(path) && IsDeletedAtRestart(path);
    EXPECT_TRUE(!Exists(path) || atRestart) << file << " is left without being scheduled";
    scheduled = scheduled || atRestart;
  }
  EXPECT_EQ(uninstalled, scheduled ? int(ERROR_SUCCESS_REBOOT_REQUIRED) : 0) << "the restart is needed exactly then";
  if (!scheduled) {
    EXPECT_FALSE(Exists(installFolder));
  }
  EXPECT_TRUE(InstalledVersions().empty());
  EXPECT_EQ(FindShortcut(), "");
  EXPECT_FALSE(Exists(StartupShortcutFile(kAutostartShortcut)));
  for (REGSAM view : kViews) {
    EXPECT_TRUE(RecordValue(view).empty());
    EXPECT_FALSE(KeyExists(view)) << "the emptied Brambeck key stays";
  }
  EXPECT_TRUE(Exists(dataFolder + "\\notes.txt"));
  EXPECT_TRUE(Exists(dataFolder + "\\" + kPlantFile));
}

}  // namespace
