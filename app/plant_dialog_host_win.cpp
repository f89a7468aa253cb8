// The plant program's side of the plant dialog.
#include "app/plant_dialog_host_win.h"

#include "app/plant_autostart_win.h"
#include "framework/app/zrf_app_win.h"

namespace plantapp {

PlantOptions PlantProgramDialogHost::ReadOptions() {
  DataFileStore store = gApp.DataFiles();
  plantapp::ReadOptions(store, parts_.names.optionsName, &parts_.options);
  return parts_.options;
}

void PlantProgramDialogHost::ApplyOptions(const PlantOptions& options) {
  parts_.options = options;
  RegisterAutostart();
  parts_.worker.SetIdlePriority(options.idleCpu != 0);
  DataFileStore store = gApp.DataFiles();
  (void)SaveOptions(store, parts_.names.optionsName, parts_.options);
}

void PlantProgramDialogHost::RegisterAutostart() {
  // A shortcut the shell cannot write leaves the plant running with the option as chosen.
  (void)plantapp::RegisterAutostart(parts_.options, parts_.names);
}

void PlantProgramDialogHost::OpenHelp(const char* file, const char* topic) { (void)gApp.OpenHelp(file, topic); }

const char* PlantProgramDialogHost::WebAddress() { return gApp.install.webAddress; }

}  // namespace plantapp
