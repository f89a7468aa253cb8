// The plant's autostart shortcut in this run's own Wine prefix: ticked, it starts this plant;
// unticked, it goes, and another plant's shortcut stays.
#include "app/plant_autostart_win.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "framework/shell/tests/shortcut_reader_win.h"
#include "framework/app/zrf_app_win.h"

namespace plantapp {
namespace {

PlantNames Plant(const std::string& name) {
  return PlantNames{name + ".plt", name, "C:\\data\\" + name + ".plt", "", "", ""};
}

TEST(RegisterAutostart, TickedStartsThisPlantUntickedRemovesOnlyItsOwnShortcut) {
  std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
  std::snprintf(gApp.install.installFolder, sizeof gApp.install.installFolder, "C:\\windows");
  PlantOptions on;
  on.autostart = 1;
  ASSERT_EQ(RegisterAutostart(on, Plant("Fern")), 0);
  ASSERT_EQ(RegisterAutostart(on, Plant("Ivy")), 0);
  const ShortcutContents fern = ReadShortcut(StartupShortcutFile("Verdelo-Fern"));
  EXPECT_EQ(fern.arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Fern.plt\"");
  EXPECT_EQ(fern.icon, "C:\\data\\Fern.plt");

  ASSERT_EQ(RegisterAutostart(PlantOptions{}, Plant("Fern")), 0);
  EXPECT_EQ(GetFileAttributesA(StartupShortcutFile("Verdelo-Fern").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadShortcut(StartupShortcutFile("Verdelo-Ivy")).arguments,
            "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Ivy.plt\"");
}

}  // namespace
}  // namespace plantapp
