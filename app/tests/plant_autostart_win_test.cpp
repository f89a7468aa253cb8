// The plant's autostart shortcut in this run's own Wine prefix: ticked, it starts this plant;
// unticked, it goes, and another plant's shortcut stays.
#include "app/plant_autostart_win.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "framework/folders_win.h"
#include "framework/scoped_handles_win.h"
#include "framework/zrf_app_win.h"

namespace app {
namespace {

std::string StartupFile(const std::string& name) {
  char folder[MAX_PATH];
  GetSpecialFolderPath(CSIDL_STARTUP | CSIDL_FLAG_CREATE, folder);
  return std::string(folder) + "\\" + name + ".lnk";
}

std::string ArgumentsOf(const std::string& file) {
  ScopedComPtr<IShellLinkA> shellLink;
  ScopedComPtr<IPersistFile> persist;
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  char text[MAX_PATH] = {};
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 shellLink.ReceiveVoid())) &&
      SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) &&
      SUCCEEDED(persist->Load(wide, STGM_READ))) {
    shellLink->GetArguments(text, MAX_PATH);
  }
  return text;
}

PlantNames Plant(const std::string& name) {
  PlantNames names;
  names.fileName = name + ".plt";
  names.plantName = name;
  names.privatePath = "C:\\data\\" + name + ".plt";
  return names;
}

TEST(RegisterAutostart, TickedStartsThisPlantUntickedRemovesOnlyItsOwnShortcut) {
  std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
  std::snprintf(gApp.install.installFolder, sizeof gApp.install.installFolder, "C:\\windows");
  PlantOptions on;
  on.autostart = 1;
  ASSERT_EQ(RegisterAutostart(on, Plant("Fern")), 0);
  ASSERT_EQ(RegisterAutostart(on, Plant("Ivy")), 0);
  EXPECT_EQ(ArgumentsOf(StartupFile("Verdelo-Fern")), "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Fern.plt\"");

  ASSERT_EQ(RegisterAutostart(PlantOptions{}, Plant("Fern")), 0);
  EXPECT_EQ(GetFileAttributesA(StartupFile("Verdelo-Fern").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ArgumentsOf(StartupFile("Verdelo-Ivy")), "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Ivy.plt\"");
}

}  // namespace
}  // namespace app
