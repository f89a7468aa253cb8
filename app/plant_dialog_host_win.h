// The plant program's side of the plant dialog: the PlantDialogHost on the process's plant, names,
// options, worker and desktop-draw block.
#pragma once

#include <windows.h>

#include "app/plant_dialog_win.h"
#include "app/plant_names.h"
#include "app/plant_options.h"
#include "app/plant_worker_jobs_win.h"
#include "app/worker_thread_win.h"

namespace plantapp {

/// What the host works on; all borrowed for the host's life.
struct PlantDialogParts {
  plant::Plant& plant;
  const PlantNames& names;
  PlantOptions& options;  ///< the process's options record
  PlantWorker& worker;
  PlantWorkerJobs& jobs;
  ostrel::OstrelSharedMem& block;
  HWND plantWindow;
  HICON largeIcon;  ///< the plant file's icons; either may be null
  HICON smallIcon;
  /// The entry's RestartPlant, called once the user has confirmed; does not return when the
  /// plant restarts.
  void (*restartPlant)();
  /// The framework's About and configuration dialog on owner.
  void (*showAboutDialog)(HWND owner);
  /// The plant window's frame move (MovePlantFrame), which holds the worker while it adopts.
  void (*moveFrame)(HWND plantWindow, const ostrel::Rect32& frame);
};

class PlantProgramDialogHost final : public PlantDialogHost {
 public:
  explicit PlantProgramDialogHost(const PlantDialogParts& parts) : parts_(parts) {}

  HWND PlantWindow() override { return parts_.plantWindow; }
  ostrel::OstrelSharedMem& SharedBlock() override { return parts_.block; }
  plant::Plant& Plant() override { return parts_.plant; }
  const char* PlantName() override { return parts_.names.plantName.c_str(); }
  HICON LargeIcon() override { return parts_.largeIcon; }
  HICON SmallIcon() override { return parts_.smallIcon; }
  /// Reads "<plant>-Options" of the data folder over the process's options record (a missing file
  /// leaves it as it is) and returns it.
  PlantOptions ReadOptions() override;
  /// Stores options in the process's record, makes or removes the autostart shortcut, sets the
  /// worker's priority and saves "<plant>-Options" (a failed write is left for the next save).
  void ApplyOptions(const PlantOptions& options) override;
  void RegisterAutostart() override;
  void SetDialog(HWND dialog) override { parts_.jobs.SetDialog(dialog); }
  void OpenHelp(const char* file, const char* topic) override;
  void ShowAboutDialog(HWND owner) override { parts_.showAboutDialog(owner); }
  void RestartPlant() override { parts_.restartPlant(); }
  /// The product's web address from the install record.
  const char* WebAddress() override;
  void MoveFrame(const ostrel::Rect32& frame) override { parts_.moveFrame(parts_.plantWindow, frame); }

 private:
  PlantDialogParts parts_;
};

}  // namespace plantapp
