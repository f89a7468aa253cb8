// The plant process's state and its small shared operations; see plant_process_win.h.
#include "app/plant_process_win.h"

#include <mutex>

#include "app/plant_data_lock.h"
#include "app/plant_dialog_win.h"
#include "app/plant_save_win.h"
#include "framework/app/zrf_app_win.h"
#include "hooklib/desktop_list_view_win.h"

namespace plantapp {
namespace {

PlantProcess* gProcess = nullptr;

}  // namespace

PlantProcess* CurrentPlantProcess() { return gProcess; }

void SetCurrentPlantProcess(PlantProcess* process) { gProcess = process; }

ostrel::Rect32 ToRect32(const plant::PixelRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

plant::PixelRect ToPixelRect(const ostrel::Rect32& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToRect(const plant::PixelRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

plant::PixelRect PlantProcess::Rect() {
  const std::lock_guard<std::mutex> hold(picture.Lock());
  const RECT& r = picture.Objects().rect;
  return plant::PixelRect{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                          static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

void PlantProcess::MoveRect(const plant::PixelRect& rect) {
  const std::lock_guard<std::mutex> hold(picture.Lock());
  picture.Objects().rect = ToRect(rect);
}

HWND PlantProcess::ListView() const {
  if (block == nullptr) {
    return nullptr;
  }
  // The block may name any window: the plant paints only into the desktop's list view.
  return ostrel::CheckedListView(*block);
}

void PlantProcess::UpdateHook(const plant::PixelRect& rect) {
  if (hook != nullptr) {
    (void)hook->UpdateHook(ToRect32(rect));
  }
}

uint32_t PlantProcess::WindowSlot() const { return ostrel::PackHandle(reinterpret_cast<uintptr_t>(window)); }

bool PlantProcess::CloseDialogAsOk() {
  const HWND dialog = PlantDialogWindow();
  if (dialog == nullptr) {
    return false;
  }
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

void PlantProcess::SavePlantAndOptions() {
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    (void)SavePlantAsShown(plant, picture);
  }
  DataFileStore store = gApp.DataFiles();
  (void)SaveOptions(store, names.optionsName, options);
}

}  // namespace plantapp
