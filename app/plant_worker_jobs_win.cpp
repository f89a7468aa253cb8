// The plant program's worker jobs.
#include "app/plant_worker_jobs_win.h"

#include "app/plant_save_win.h"
#include "plant/growth_simulation.h"
#include "plant/plant_file.h"
#include "plant/render_gdi_win.h"

namespace plantapp {
namespace {

ostrel::Rect32 ToRect32(const RECT& r) {
  return ostrel::Rect32{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                        static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

}  // namespace

PlantWorkerJobs::PlantWorkerJobs(const PlantWorkerParts& parts) : parts_(parts), handOver_(parts_) {}

void PlantWorkerJobs::Simulate(uint32_t steps) { plant::SimulatePlant(parts_.plant, steps); }

void PlantWorkerJobs::Save() {
  // The save replaces the file with a complete new one or leaves it as it was; a failed save is
  // tried again after the next pass. A full disk fails every pass until there is room again: the
  // user hears of the first failure of such a run, once.
  uint32_t systemError = 0;
  const bool saved = SavePlantAsShown(parts_.plant, parts_.picture, &systemError) == plant::SaveResult::Ok;
  if (!saved && !saveFailing_ && parts_.plantWindow != nullptr) {
    PostMessageA(parts_.plantWindow, kPlantSaveFailedMessage, systemError, 0);
  }
  saveFailing_ = !saved;
}

void PlantWorkerJobs::NotifyDialog() {
  if (const HWND dialog = dialog_.load()) {
    SendMessageA(dialog, kPlantRefreshMessage, 0, 0);
  }
}

bool PlantWorkerJobs::IsRenderAllowed() { return plantapp::IsRenderAllowed(parts_.permission); }

void PlantWorkerJobs::Render() { (void)plant::RenderPlant(parts_.plant, parts_.picture, handOver_); }

bool PlantWorkerJobs::HandOver::IsRenderAllowed() {
  // A drag is running: the picture must not change under it. The worker waits here, outside
  // every lock, until the drag ends.
  (void)parts_.running.Wait();
  return plantapp::IsRenderAllowed(parts_.permission);
}

bool PlantWorkerJobs::HandOver::IsHeldBack() {
  // A drag that began after the wait above: the UI thread paused the worker under the picture's
  // lock, so the desktop reads the frame for the drag after any hand-over, never during one.
  return !parts_.running.IsSet();
}

void PlantWorkerJobs::HandOver::PublishFrame(const RECT& rect, double aspectRatio) {
  ostrel::OstrelSharedMem* block = parts_.block;
  if (block == nullptr || parts_.plantWindow == nullptr) {
    return;
  }
  const uint32_t self = ostrel::PackHandle(reinterpret_cast<uintptr_t>(parts_.plantWindow));
  if (ostrel::LoadShared(block->activeClient) == self) {
    block->activeFrame = ToRect32(rect);
    block->aspectRatio = aspectRatio;
  }
}

void PlantWorkerJobs::HandOver::UpdateHook(const RECT& area) {
  if (parts_.hook != nullptr) {
    (void)parts_.hook->UpdateHook(ToRect32(area));
  }
}

}  // namespace plantapp
