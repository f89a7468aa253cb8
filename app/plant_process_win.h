// The state of one plant process: the plant's names and options, the plant and its picture, the
// screen, the way to the desktop-draw library, the worker and the plant window. The entry function
// fills it step by step; the plant window, the shutdown and the dialogs reach it through
// CurrentPlantProcess(). Everything here is used on the UI thread unless a member says otherwise.
//
// The plant rectangle is the shown picture's: the renderer's hand-over, the banner, the rescale and
// the plant window all move it under the picture's lock, and it reaches the plant file's rectangle
// fractions just before every save (plant_save_win.h). Lock order: the plant-data lock before the
// picture's lock, never the other way round.
#pragma once

#include <windows.h>

#include <memory>

#include "app/drag_pause.h"
#include "app/hook_client.h"
#include "app/plant_dialog_host_win.h"
#include "app/plant_icons_win.h"
#include "app/plant_names.h"
#include "app/plant_options.h"
#include "app/plant_worker_jobs_win.h"
#include "app/render_permission.h"
#include "app/worker_thread_win.h"
#include "plant/drawing_banner_win.h"
#include "plant/plant_file.h"
#include "plant/plant_picture_win.h"
#include "plant/plant_state.h"

namespace plantapp {

struct PlantProcess {
  /// The worker goes first: its jobs go with the members after it.
  ~PlantProcess() { worker.Stop(); }

  PlantNames names;
  PlantOptions options;
  plant::Plant& plant = plant::CurrentPlant();
  plant::PlantPicture& picture = plant::CurrentPicture();
  /// The screen (the desktop list view's client area) at start-up and now, and the follow-screen
  /// option; the worker reads it too.
  RenderPermission permission;
  /// The desktop-draw library's shared block; the program's is the loaded library's.
  ostrel::OstrelSharedMem* block = nullptr;
  std::unique_ptr<HookRoute> route;
  std::unique_ptr<HookClient> hook;
  PlantWorker worker;
  /// The worker's pause while the user drags the plant's frame (plant window).
  DragPause drag;
  /// How long a drag may go without a drag message before its pause ends; tests shorten it.
  uint32_t dragSilenceMs = kDragSilenceMs;
  /// Made once the plant window exists (the picture is made compatible with its DC).
  std::unique_ptr<PlantWorkerJobs> jobs;
  /// What the plant dialog and the welcome dialog work on; made with the jobs.
  std::unique_ptr<PlantProgramDialogHost> dialogHost;
  PlantIcons icons;
  /// The plant window; null before it is made and after the shutdown.
  HWND window = nullptr;
  /// The module whose resources hold the drawing banner.
  HINSTANCE module = nullptr;
  /// The DPI under a screen rectangle, for the banner; null: 96.
  plant::DpiForScreenRect dpiForRect = nullptr;

  /// The plant rectangle (the shown picture's), in list-view client pixels.
  [[nodiscard]] plant::PixelRect Rect();
  /// Moves the shown picture to rect without changing its pixels (a move that keeps the size).
  void MoveRect(const plant::PixelRect& rect);
  /// The desktop list view: the block's when it is the desktop's, else one searched afresh
  /// (ostrel::CheckedListView); null when there is none.
  [[nodiscard]] HWND ListView() const;
  /// Asks the library to repaint rect of the desktop; nothing without a hook client.
  void UpdateHook(const plant::PixelRect& rect);
  /// This window as the block stores it.
  [[nodiscard]] uint32_t WindowSlot() const;
  /// The plant dialog closes as OK closes it, when one is open; true when one was.
  bool CloseDialogAsOk();
  /// Saves the plant file (with the shown rectangle) and the options; results are ignored, the
  /// next save tries again. Takes the plant-data lock.
  void SavePlantAndOptions();
};

/// The process's plant process, or null before the entry function made it (tests set their own).
[[nodiscard]] PlantProcess* CurrentPlantProcess();
void SetCurrentPlantProcess(PlantProcess* process);

/// The shared block's form of a plant rectangle.
[[nodiscard]] ostrel::Rect32 ToRect32(const plant::PixelRect& rect);
[[nodiscard]] plant::PixelRect ToPixelRect(const ostrel::Rect32& rect);
[[nodiscard]] RECT ToRect(const plant::PixelRect& rect);

}  // namespace plantapp
