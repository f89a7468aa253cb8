// The Startup-folder shortcut in this run's own Wine prefix: written, kept byte for byte, written
// anew, deleted, and an undeletable one reported.
#include "framework/shell/autostart_shortcut_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "framework/shell/tests/shortcut_reader_win.h"
#include "framework/shell/tests/temp_install_folder.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_results.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

TEST(SetAutostart, WritesKeepsRewritesAndDeletesTheLink) {
  const std::string install = MakeTempFolderWith("verdelo-install", "Verdelo.exe");
  std::snprintf(gApp.install.installFolder, sizeof gApp.install.installFolder, "%s", install.c_str());
  std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
  const std::string file = StartupShortcutFile("Verdelo-a b");

  ASSERT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"a b.plt\"", 1, "C:\\data\\a b.plt", "Verdelo-a b"), ZRF_OK);
  const ShortcutContents written = ReadShortcut(file);
  EXPECT_STRCASEEQ(written.target.c_str(), (install + "\\Verdelo.exe").c_str());
  EXPECT_EQ(written.arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"a b.plt\"");
  EXPECT_EQ(written.icon, "C:\\data\\a b.plt");

  const std::string before = Bytes(file);
  EXPECT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"c.plt\"", 1, nullptr, "Verdelo-a b"), ZRF_OK);
  EXPECT_EQ(Bytes(file), before);
  EXPECT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"c.plt\"", 0, nullptr, "Verdelo-a b"), ZRF_OK);
  EXPECT_EQ(ReadShortcut(file).arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"c.plt\"");

  // An open link cannot be deleted, and is not reported as gone.
  {
    ScopedHandle held(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-a b"), ZRF_ERR_SHORTCUT);
  }
  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-a b"), ZRF_OK);
  EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-a b"), ZRF_OK);
  EXPECT_EQ(gApp.SetAutostart(true, nullptr, 1, nullptr, "..\\Verdelo"), ZRF_ERR_SHORTCUT);
}

}  // namespace
