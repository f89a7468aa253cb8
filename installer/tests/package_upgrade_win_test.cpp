// An upgrade over a plant that runs while the desktop holds the hook library, across a restart.
// run_across_restart.sh runs the two tests in one Wine prefix and ends the Wine session between
// them, the nearest thing to a restart Wine has (it carries out the renames and deletions
// scheduled for the restart when the next session starts):
//   1. install, start the test desktop and a plant (the desktop loads the installed library),
//      install the package --over= names over it: the plant is ended and started again;
//   2. after the restart every file of the product is the newer package's, the plant starts and
//      registers on the desktop, and an uninstall ends it for good.
// Each prints its figure on a "[ FIGURES  ]" line.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "installer/tests/package_support_win.h"
#include "tools/testdesktop/desktop_query.h"

namespace {

using namespace package_test;

constexpr char kUsage[] = "usage: package_win_tests PACKAGE.msi VIEWER.exe TEST_DESKTOP.exe --over=SUFFIX";
constexpr char kPlantEvent[] = "VerdeloEvent_Greenleaf.plt";

// Waits (bounded) until the test desktop's status has every bit of `bits`.
bool DesktopReaches(const TestDesktop& desktop, unsigned bits) {
  for (int i = 0; i < 300; ++i) {
    if ((desktop.Status() & bits) == bits) return true;
    Sleep(100);
  }
  return false;
}

// Waits (bounded) until plant process `id` is through its start-up with the worker of our plant
// file.
bool RunsOurPlant(DWORD id) {
  for (int i = 0; i < 300; ++i) {
    const ScopedHandle event(OpenEventA(SYNCHRONIZE, FALSE, kPlantEvent));
    if (event.IsValid() && HasControlWindow(id)) return true;
    Sleep(100);
  }
  return false;
}

TEST(HeldLibrary, UpgradeEndsThePlantAndStartsItAgain) {
  ASSERT_FALSE(gTestDesktop.empty() || gOver.empty()) << kUsage;
  TestDesktop desktop;
  ASSERT_TRUE(desktop.Start()) << "the test desktop did not start";
  ASSERT_EQ(Msiexec("/i", gPackage, "held_install.log"), 0) << "see held_install.log";
  const std::string installFolder = InstallFolder();
  const ScopedHandle plant = StartPlant(installFolder);
  ASSERT_TRUE(plant.Get()) << "the installed plant did not start";
  ASSERT_TRUE(DesktopReaches(desktop, testdesktop::kLibraryLoaded | testdesktop::kSubclassed))
      << "the plant did not bring the library into the desktop";

  const int upgraded = Msiexec("/i", SiblingPackage(gOver), "held_upgrade.log");
  ASSERT_TRUE(Succeeded(upgraded)) << upgraded << ", see held_upgrade.log";
  EXPECT_EQ(WaitForSingleObject(plant.Get(), 0), DWORD(WAIT_OBJECT_0)) << "the upgrade did not end the plant";
  const std::vector<DWORD> again = PlantProcesses();
  std::printf("[ FIGURES  ] plants running again after the upgrade: %zu of 1\n", again.size());
  ASSERT_EQ(again.size(), 1u) << "the plant the upgrade ended does not run again";
  EXPECT_TRUE(RunsOurPlant(again[0])) << "the plant started again is not Greenleaf's";
  EXPECT_TRUE(DesktopReaches(desktop, testdesktop::kLibraryLoaded | testdesktop::kSubclassed))
      << "the plant started again did not register";
  // A restart ends the plant the way -QUIT does, and it saves.
  EXPECT_EQ(package_test::Run("\"" + installFolder + "\\Verdelo.exe\" -QUIT", installFolder.c_str()), 0);
  for (int i = 0; i < 300 && !PlantProcesses().empty(); ++i) Sleep(100);
}

TEST(HeldLibrary, AfterTheRestartEveryFileIsTheNewOnesAndThePlantStarts) {
  ASSERT_FALSE(gTestDesktop.empty() || gOver.empty()) << kUsage;
  const std::string over = SiblingPackage(gOver);
  const std::string installFolder = InstallFolder();
  EXPECT_EQ(InstalledVersions().size(), 1u);
  const std::vector<PackageFile> files = PackageFiles(over);
  ASSERT_GE(files.size(), 7u) << "the package's list of files";
  size_t current = 0;
  for (const PackageFile& file : files) {
    const std::string path = installFolder + "\\" + file.name;
    const bool same = Exists(path) && Contents(path) == Contents(file.source);
    EXPECT_TRUE(same) << file.name << (Exists(path) ? " is not the new version's" : " is missing");
    current += same ? 1 : 0;
  }
  std::printf("[ FIGURES  ] files present with the new bytes after the restart: %zu of %zu\n", current,
              files.size());

  TestDesktop desktop;
  ASSERT_TRUE(desktop.Start()) << "the test desktop did not start";
  const ScopedHandle plant = StartPlant(installFolder);
  ASSERT_TRUE(plant.Get()) << "the plant does not start after the restart";
  EXPECT_TRUE(DesktopReaches(desktop, testdesktop::kLibraryLoaded | testdesktop::kSubclassed))
      << "the plant did not register on the desktop";

  // An uninstall ends the plant and starts nothing again.
  const int removed = Msiexec("/x", over, "held_uninstall.log");
  ASSERT_TRUE(Succeeded(removed)) << removed << ", see held_uninstall.log";
  EXPECT_EQ(WaitForSingleObject(plant.Get(), 10000), DWORD(WAIT_OBJECT_0))
      << "the uninstall did not end the plant";
  EXPECT_TRUE(PlantProcesses().empty()) << "the uninstall started a plant again";
  EXPECT_TRUE(InstalledVersions().empty());
}

}  // namespace
