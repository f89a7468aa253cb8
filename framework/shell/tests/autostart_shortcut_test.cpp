// The shortcut's path stays in the Startup folder: names with separators, and names too long for
// a path, are refused rather than cut.
#include "framework/shell/autostart_shortcut.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AutostartShortcut, PathStaysInTheStartupFolder) {
  char path[kPathCapacity];
  ASSERT_TRUE(ShortcutPath(path, "C:\\Startup\\", "Verdelo-Fern"));
  EXPECT_STREQ(path, "C:\\Startup\\Verdelo-Fern.lnk");
  for (const char* name : {"..\\Fern", "a/b", "D:Fern", ""}) {
    EXPECT_FALSE(ShortcutPath(path, "C:\\Startup\\", name)) << name;
  }
  const std::string longName(260 - 11 - 4, 'n');  // "C:\Startup\" + name + ".lnk" is 260
  EXPECT_FALSE(ShortcutPath(path, "C:\\Startup\\", longName.c_str()));
  EXPECT_TRUE(ShortcutPath(path, "C:\\Startup\\", longName.substr(1).c_str()));
}

}  // namespace
