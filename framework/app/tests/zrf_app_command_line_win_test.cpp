// The application object's command line (switches, the framework's flags, the lookup by name) and
// its UI style.
#include <gtest/gtest.h>

#include "framework/app/zrf_app_win.h"

namespace {

TEST(ZrfAppCommandLine, SwitchesAndFlagsOfTheStartupShortcut) {
  EXPECT_EQ(gApp.ParseCommandLine("-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"C:\\My Plants\\Fern.plt\""),
            kParseWaitForDataPath);
  EXPECT_EQ(gApp.autostart, 1);
  EXPECT_EQ(gApp.minimised, 0);
  const int32_t plant = gApp.FindSwitch("-loadplant");
  ASSERT_EQ(plant, 2);
  ASSERT_EQ(gApp.switches.ArgumentCount(plant), 1);
  EXPECT_STREQ(gApp.switches.Argument(plant, 0), "C:\\My Plants\\Fern.plt");

  EXPECT_EQ(gApp.ParseCommandLine("-Minimize -quit"), kParseQuit);
  EXPECT_EQ(gApp.autostart, 0);
  EXPECT_EQ(gApp.minimised, 1);
  EXPECT_EQ(gApp.FindSwitch("-LOADPLANT"), -1);
}

TEST(ZrfAppStyle, StyleIsSetUpFromTheSettings) {
  ASSERT_EQ(gApp.style.Init(), 0);
  gApp.settings.colorScheme = 2;
  EXPECT_EQ(gApp.style.BuildPalette(&gApp.settings), 0);
  EXPECT_EQ(gApp.style.schemeColors.focus, gApp.settings.customColors[kColorFocus]);
  gApp.style.SetUIFont(gApp.settings.fontFace, gApp.settings.fontSize, 96);
  EXPECT_NE(gApp.style.FontForDpi(kFontUI, 96), nullptr);
}

}  // namespace
