// Shortcut texts: the arguments the program gets at logon, the target, and the shortcut's path
// with the names that would leave the Startup folder.
#include "framework/shell/autostart_shortcut.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AutostartShortcut, ArgumentsAndTarget) {
  EXPECT_EQ(AutostartArguments("-LOADPLANT \"a b.plt\""), "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"a b.plt\"");
  EXPECT_EQ(AutostartArguments(nullptr), "-WAITFORDATAPATH -AUTOSTART ");
  char path[kPathCapacity];
  ASSERT_TRUE(AutostartTarget(path, "C:\\Program Files\\Verdelo", "Verdelo"));
  EXPECT_STREQ(path, "C:\\Program Files\\Verdelo\\Verdelo.exe");
}

TEST(AutostartShortcut, PathStaysInTheStartupFolder) {
  char path[kPathCapacity];
  ASSERT_TRUE(ShortcutPath(path, "C:\\Startup\\", "Verdelo-Fern"));
  EXPECT_STREQ(path, "C:\\Startup\\Verdelo-Fern.lnk");
  for (const char* name : {"..\\Fern", "a/b", "D:Fern", ""}) {
    EXPECT_FALSE(ShortcutPath(path, "C:\\Startup\\", name)) << name;
    EXPECT_STREQ(path, "");
  }
  const std::string longName(260 - 11 - 4, 'n');  // "C:\Startup\" + name + ".lnk" is 260
  EXPECT_FALSE(ShortcutPath(path, "C:\\Startup\\", longName.c_str()));
  EXPECT_TRUE(ShortcutPath(path, "C:\\Startup\\", longName.substr(1).c_str()));
}

}  // namespace
