// The plant program's side of the dialog under Wine: OK with changed options writes the plant's
// options file and its autostart shortcut, in this run's own data folder and Startup folder.
#include "app/plant_dialog_host_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/render_permission.h"
#include "framework/app/zrf_app_win.h"
#include "framework/shell/tests/shortcut_reader_win.h"
#include "plant/plant_file.h"
#include "resources/plant_dialog_ids.h"
#include "tools/species/default_species.h"
#include "tools/species/species_builder.h"
#include "tools/testdialog/dialog_test_host_win.h"

namespace plantapp {
namespace {

void ShowTheAboutDialog(HWND) {}
void RestartThePlant() {}

TEST(PlantProgramDialogHost, OkWithChangedOptionsWritesTheOptionsFileAndTheShortcut) {
  dialogtest::PrepareFramework();
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::snprintf(gApp.dataFolder, sizeof gApp.dataFolder, "%sverdelo_dialog_host", temp);
  CreateDirectoryA(gApp.dataFolder, nullptr);
  const std::string optionsFile = std::string(gApp.dataFolder) + "\\Fern-Options.zrd";
  DeleteFileA(optionsFile.c_str());

  plant::Plant plant;
  plant.screenWidth = 1024;
  plant.screenHeight = 768;
  std::vector<uint8_t> file;
  std::string why;
  ASSERT_TRUE(species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) << why;
  ASSERT_EQ(plant::LoadPlantBytes(plant, file.data(), file.size(), 1735689600, &why), plant::LoadResult::Ok);
  const PlantNames names{"Fern.plt", "Fern", std::string(gApp.dataFolder) + "\\Fern.plt", "", "", "Fern-Options"};
  PlantOptions options;
  PlantWorker worker;
  RenderPermission permission;
  PlantWorkerJobs jobs(PlantWorkerParts{plant, plant::CurrentPicture(), permission, worker.Words(),
                                        worker.Running(), nullptr, nullptr, nullptr});
  ostrel::OstrelSharedMem block{};
  block.message = RegisterWindowMessageA(ostrel::kMessageName);
  HWND plantWindow = CreateWindowExA(0, "STATIC", "Verdelo", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  PlantProgramDialogHost host(PlantDialogParts{plant, names, options, worker, jobs, block, plantWindow, nullptr,
                                               nullptr, RestartThePlant, ShowTheAboutDialog,
                                               [](HWND, const ostrel::Rect32&) {}});

  HWND dialog = OpenPlantDialog(host);
  ASSERT_NE(dialog, nullptr);
  HWND optionsPage = nullptr;
  for (HWND page = GetWindow(GetDlgItem(dialog, IDC_PAGE_TABS), GW_CHILD); page != nullptr;
       page = GetWindow(page, GW_HWNDNEXT)) {
    if (GetDlgItem(page, IDC_AUTOSTART) != nullptr) optionsPage = page;
  }
  SendDlgItemMessageA(optionsPage, IDC_AUTOSTART, BM_CLICK, 0, 0);
  SendDlgItemMessageA(optionsPage, IDC_FAHRENHEIT, BM_CLICK, 0, 0);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  dialogtest::PumpMessages();

  PlantOptions saved{};
  FILE* in = std::fopen(optionsFile.c_str(), "rb");
  ASSERT_NE(in, nullptr) << optionsFile;
  EXPECT_EQ(std::fread(&saved, 1, sizeof saved + 1, in), sizeof saved);
  std::fclose(in);
  EXPECT_EQ(saved.autostart, 1);
  EXPECT_EQ(saved.idleCpu, 1);
  EXPECT_EQ(saved.followScreenMode, 0);
  EXPECT_EQ(saved.fahrenheit, 1);
  EXPECT_EQ(ReadShortcut(StartupShortcutFile("Verdelo-Fern")).arguments,
            "-WAITFORDATAPATH -AUTOSTART -LOADPLANT \"Fern.plt\"");
  DestroyWindow(plantWindow);
}

}  // namespace
}  // namespace plantapp
