// The plant dialog on a plant file, without the plant program: for looking at the dialog and
// trying it by hand under Wine. Once a second the plant grows a step and the dialog is told, as
// the worker would. When the dialog closes, the program prints the care values, flags and options
// it left and what it asked of the plant window, and with --save writes the plant file back.
//
//   plant_dialog_test PLANT.plt [--welcome] [--save]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>

#include "app/plant_data_lock.h"
#include "app/plant_dialog_win.h"
#include "app/plant_worker_jobs_win.h"
#include "app/welcome_dialog_win.h"
#include "plant/file_ops.h"
#include "plant/growth_simulation.h"
#include "plant/plant_file.h"
#include "tools/testdialog/dialog_test_host_win.h"

namespace {

constexpr UINT_PTR kGrowTimer = 1;

plant::Plant* gPlant = nullptr;

void CALLBACK GrowOneStep(HWND, UINT, UINT_PTR, DWORD) {
  {
    const std::lock_guard<std::mutex> hold(plantapp::PlantDataLock());
    plant::SimulatePlant(*gPlant, 1);
  }
  if (HWND dialog = plantapp::PlantDialogWindow()) SendMessageA(dialog, plantapp::kPlantRefreshMessage, 0, 0);
}

void Report(const plant::PlantRecord& record, const dialogtest::DialogTestHost& host) {
  std::printf("water %.4f\nfertiliser %.4f\nlight %.4f\ntemperature %.2f\nbrightness %.4f\nflags 0x%x\n",
              record.waterLevel, record.fertiliserLevel, record.light, record.temperature, record.brightness,
              static_cast<unsigned>(record.flags));
  std::printf("pot %02x%02x%02x\nsaucer %02x%02x%02x\n", record.potColour.red, record.potColour.green,
              record.potColour.blue, record.saucerColour.red, record.saucerColour.green, record.saucerColour.blue);
  std::printf("options autostart %d idle %d follow %d fahrenheit %d\n", host.options.autostart,
              host.options.idleCpu, host.options.followScreenMode, host.options.fahrenheit);
  for (const dialogtest::Received& r : host.received) {
    std::printf("plant window: message 0x%x wParam %lld lParam %lld\n", r.message,
                static_cast<long long>(r.wParam), static_cast<long long>(r.lParam));
  }
  for (const std::string& call : host.calls) std::printf("call: %s\n", call.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: plant_dialog_test PLANT.plt [--welcome] [--save]\n");
    return 2;
  }
  bool welcome = false;
  bool save = false;
  for (int i = 2; i < argc; ++i) {
    welcome = welcome || std::strcmp(argv[i], "--welcome") == 0;
    save = save || std::strcmp(argv[i], "--save") == 0;
  }
  dialogtest::PrepareFramework();
  plant::Plant& plant = plant::CurrentPlant();
  gPlant = &plant;
  plant.path = argv[1];
  plant.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  plant.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  std::string why;
  if (plant::LoadPlantFile(plant, plant::SystemFileOps(), std::time(nullptr), &why) != plant::LoadResult::Ok) {
    std::fprintf(stderr, "plant_dialog_test: %s\n", why.c_str());
    return 3;
  }
  std::string name = plant.path.substr(plant.path.find_last_of("\\/") + 1);
  name = name.substr(0, name.find_last_of('.'));
  dialogtest::DialogTestHost host(plant, name);
  host.SharedBlock().activeFrame = ostrel::Rect32{plant.rect.left, plant.rect.top, plant.rect.right, plant.rect.bottom};
  if (welcome) plant.Record().flags &= ~plant::kDialogShown;
  HWND welcomeDialog = welcome ? plantapp::ShowWelcome(host) : nullptr;
  if (plantapp::OpenPlantDialog(host) == nullptr) {
    std::fprintf(stderr, "plant_dialog_test: the dialog could not be made\n");
    return 4;
  }
  SetTimer(nullptr, kGrowTimer, 1000, GrowOneStep);
  while (plantapp::PlantDialogWindow() != nullptr || IsWindow(welcomeDialog)) {
    if (dialogtest::PumpMessages()) break;
    WaitMessage();
  }
  dialogtest::PumpMessages();
  Report(plant.Record(), host);
  if (save && plant::SavePlantFile(plant, plant::SystemFileOps()) != plant::SaveResult::Ok) return 5;
  return 0;
}
