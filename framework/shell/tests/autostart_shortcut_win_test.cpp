// The Startup-folder shortcut in this run's own Wine prefix, read back through IShellLinkA: its
// target, arguments and icon, a kept shortcut left byte for byte, deletion, and two shortcuts
// that never touch each other.
#include "framework/shell/autostart_shortcut_win.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/folders_win.h"
#include "framework/scoped_handles_win.h"
#include "framework/shell/tests/temp_install_folder.h"
#include "framework/zrf_app_win.h"
#include "framework/zrf_results.h"

namespace {

struct Link {
  std::string path;
  std::string arguments;
  std::string icon;
};

std::string StartupFile(const std::string& name) {
  char folder[MAX_PATH];
  GetSpecialFolderPath(CSIDL_STARTUP, folder);
  return std::string(folder) + "\\" + name + ".lnk";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

Link ReadLink(const std::string& file) {
  Link link;
  ScopedComPtr<IShellLinkA> shellLink;
  ScopedComPtr<IPersistFile> persist;
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              shellLink.ReceiveVoid())) ||
      FAILED(shellLink->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) ||
      FAILED(persist->Load(wide, STGM_READ))) {
    return link;
  }
  char text[MAX_PATH] = {};
  shellLink->GetPath(text, MAX_PATH, nullptr, 0);
  link.path = text;
  shellLink->GetArguments(text, MAX_PATH);
  link.arguments = text;
  int index = -1;
  shellLink->GetIconLocation(text, MAX_PATH, &index);
  link.icon = text;
  return link;
}

class AutostartShortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    install = MakeTempFolderWith("verdelo-install", "Verdelo.exe");
    std::snprintf(gApp.install.installFolder, sizeof gApp.install.installFolder, "%s", install.c_str());
    std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
  }
  std::string install;
};

TEST_F(AutostartShortcut, EnabledWritesTheLinkDisabledDeletesIt) {
  const std::string file = StartupFile("Verdelo-a b");
  ASSERT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"a b.plt\"", 1, "C:\\data\\a b.plt", "Verdelo-a b"), ZRF_OK);
  const Link link = ReadLink(file);
  EXPECT_STRCASEEQ(link.path.c_str(), (install + "\\Verdelo.exe").c_str());
  EXPECT_EQ(link.arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"a b.plt\"");
  EXPECT_EQ(link.icon, "C:\\data\\a b.plt");

  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-a b"), ZRF_OK);
  EXPECT_FALSE(Exists(file));
  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-a b"), ZRF_OK);
}

TEST_F(AutostartShortcut, KeptLinkStaysAsItIsAndOtherNamesAreNeverTouched) {
  const std::string fern = StartupFile("Verdelo-Fern");
  const std::string ivy = StartupFile("Verdelo-Ivy");
  ASSERT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"Fern.plt\"", 1, nullptr, "Verdelo-Fern"), ZRF_OK);
  ASSERT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"Ivy.plt\"", 1, nullptr, "Verdelo-Ivy"), ZRF_OK);
  const std::string before = Bytes(fern);
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"Other.plt\"", 1, nullptr, "Verdelo-Fern"), ZRF_OK);
  EXPECT_EQ(Bytes(fern), before);
  // Without keeping, the link is written anew.
  EXPECT_EQ(gApp.SetAutostart(true, "-LOADPLANT \"Other.plt\"", 0, nullptr, "Verdelo-Fern"), ZRF_OK);
  EXPECT_EQ(ReadLink(fern).arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Other.plt\"");

  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-Fern"), ZRF_OK);
  EXPECT_FALSE(Exists(fern));
  EXPECT_EQ(ReadLink(ivy).arguments, "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Ivy.plt\"");
  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-Ivy"), ZRF_OK);
}

TEST_F(AutostartShortcut, NamesOutsideTheFolderAndUndeletableLinksFail) {
  EXPECT_EQ(gApp.SetAutostart(true, nullptr, 1, nullptr, "..\\Verdelo"), ZRF_ERR_SHORTCUT);
  // A shortcut that cannot be deleted is not reported as gone.
  const std::string file = StartupFile("Verdelo-Held");
  ASSERT_EQ(gApp.SetAutostart(true, nullptr, 1, nullptr, "Verdelo-Held"), ZRF_OK);
  ScopedHandle held(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.IsValid());
  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-Held"), ZRF_ERR_SHORTCUT);
  held.Close();
  EXPECT_EQ(gApp.SetAutostart(false, nullptr, 1, nullptr, "Verdelo-Held"), ZRF_OK);
}

}  // namespace
