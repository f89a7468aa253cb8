// Shutdown and restart of the plant; see plant_shutdown_win.h.
#include "app/plant_shutdown_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "app/message_pump_wait_win.h"
#include "app/plant_data_lock.h"
#include "app/plant_dialog_win.h"
#include "app/plant_process_win.h"
#include "app/plant_save_win.h"
#include "app/program_messages_win.h"
#include "app/program_strings.h"
#include "app/simulation_clock.h"
#include "framework/app/zrf_app_win.h"
#include "plant/file_ops.h"
#include "plant/snapshot_win.h"

namespace plantapp {
namespace {

// The dialog applies its values and closes within a few messages; a dialog that never goes does
// not hold the shutdown beyond this.
constexpr int kDialogCloseWaits = 50;
constexpr uint32_t kDialogCloseWaitMs = 100;

void CloseDialog(PlantProcess& p) {
  if (!p.CloseDialogAsOk()) {
    return;
  }
  for (int wait = 0; wait < kDialogCloseWaits && PlantDialogWindow() != nullptr; ++wait) {
    WaitDispatchingMessages(kDialogCloseWaitMs, nullptr);
  }
}

// False, with the platform's code in *systemError, when the plant file kept its previous copy.
bool Save(PlantProcess& p, uint32_t* systemError) {
  bool saved = false;
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    p.plant.Record().flags |= plant::kCleanShutdown | plant::kDialogShown;
    saved = SavePlantAsShown(p.plant, p.picture, systemError) == plant::SaveResult::Ok;
  }
  // The snapshot only stands in for the picture until the first render: a failed one is deleted
  // whole and costs nothing worth a word.
  (void)plant::SaveSnapshot(p.plant, p.picture, plant::SystemFileOps());
  DataFileStore store = gApp.DataFiles();
  (void)SaveOptions(store, p.names.optionsName, p.options);
  return saved;
}

}  // namespace

void ShutdownPlant(bool save) {
  PlantProcess* process = CurrentPlantProcess();
  if (process == nullptr || process->window == nullptr) {
    return;
  }
  PlantProcess& p = *process;
  CloseDialog(p);
  KillTimer(p.window, kClockTimerId);
  // Stopping the worker undoes a pause a drag left behind, so it can finish its pass and save.
  (void)p.worker.Stop();
  if (p.hook != nullptr) {
    (void)p.hook->UnregisterFromHook(p.WindowSlot(), ToRect32(p.Rect()));
  }
  uint32_t systemError = 0;
  if (save && !Save(p, &systemError)) {
    // The last chance to say that the growth since the last good save is lost.
    (void)ShowPlantSaveFailure(systemError);
  }
  p.icons.Release();
  {
    const std::lock_guard<std::mutex> hold(p.picture.Lock());
    p.picture.Objects() = plant::PictureObjects{};
  }
  p.plant.Reset();
  p.window = nullptr;
}

int32_t RestartPlant() {
  PlantProcess* process = CurrentPlantProcess();
  if (process == nullptr) {
    return 0;
  }
  const PlantNames names = process->names;
  if (!CopyFileA(names.installedPath.c_str(), names.privatePath.c_str(), FALSE)) {
    return ShowProgramMessage(kCannotRestartText);
  }
  ShutdownPlant(true);
  // The shutdown has just saved the running plant over the copy: the installed one wins.
  (void)CopyFileA(names.installedPath.c_str(), names.privatePath.c_str(), FALSE);
  const std::string program = std::string(gApp.programFolder) + "\\" + gApp.productName + ".exe";
  const std::string arguments = LoadPlantArguments(names.fileName);
  ShellExecuteA(nullptr, "open", program.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL);
  // exit, not ExitProcess: the application object still saves its settings on the way out.
  std::exit(0);
}

}  // namespace plantapp
