// The plant worker's jobs in the plant program: the growth simulation, the plant file, the open
// plant dialog and the renderer with its hand-over of the picture to the desktop.
#pragma once

#include <windows.h>

#include <atomic>

#include "app/hook_client.h"
#include "app/render_permission.h"
#include "app/worker_loop.h"
#include "plant/plant_picture_win.h"
#include "plant/plant_state.h"
#include "plant/render_host_win.h"

namespace plantapp {

/// The message that tells the plant dialog the plant's values changed (PlantRefresh, WM_USER + 1).
inline constexpr UINT kPlantRefreshMessage = WM_USER + 1;
/// Posted to the plant window when a save of the plant file failed after saves that worked (or
/// the first save failed); wParam is the platform's error code.
inline constexpr UINT kPlantSaveFailedMessage = WM_USER + 2;

/// What the jobs work on; all borrowed for the jobs' life.
struct PlantWorkerParts {
  plant::Plant& plant;
  plant::PlantPicture& picture;
  RenderPermission& permission;
  WorkerWords& words;              ///< PlantWorker::Words()
  WorkerSignal& running;           ///< PlantWorker::Running(): the hand-over waits while it is reset
  HWND plantWindow;                ///< the picture is made compatible with its DC (null: the
                                   ///< screen's); told of failed saves
  ostrel::OstrelSharedMem* block;  ///< where an open dialog's frame is published; may be null
  HookClient* hook;                ///< repaints the desktop after a hand-over; may be null
};

/// The worker's jobs on the process's plant; the plant-data lock is the loop's to take.
class PlantWorkerJobs final : public WorkerJobs {
 public:
  explicit PlantWorkerJobs(const PlantWorkerParts& parts);

  /// The open plant dialog, told after every pass; null while none is open. UI thread.
  void SetDialog(HWND dialog) { dialog_.store(dialog); }

  void Simulate(uint32_t steps) override;
  void Save() override;
  void NotifyDialog() override;
  [[nodiscard]] bool IsRenderAllowed() override;
  void Render() override;

 private:
  // The renderer's view of the plant program.
  class HandOver final : public plant::RenderHost {
   public:
    explicit HandOver(const PlantWorkerParts& parts) : parts_(parts) {}
    HWND PlantWindow() override { return parts_.plantWindow; }
    const std::atomic<int32_t>& WorkerCommand() override { return parts_.words.command; }
    std::atomic<uint8_t>& RenderPending() override { return parts_.words.renderPending; }
    bool IsRenderAllowed() override;
    bool IsHeldBack() override;
    void PublishFrame(const RECT& rect, double aspectRatio) override;
    void UpdateHook(const RECT& area) override;

   private:
    const PlantWorkerParts& parts_;
  };

  PlantWorkerParts parts_;
  HandOver handOver_;
  std::atomic<HWND> dialog_{nullptr};
  bool saveFailing_ = false;  ///< the last save failed; worker thread only
};

}  // namespace plantapp
