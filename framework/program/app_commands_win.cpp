// The application object's command operations: the table's rules (command_table.h) plus what a
// change of a command's state means for the windows.
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_results.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr int32_t kStatusKeyHover = -2;

}  // namespace

int32_t CZrfApp::RegisterCommand(uint16_t id, uint16_t kind, uint32_t flags, uint16_t iconId,
                                 uint16_t stringId, uintptr_t data, uint32_t valueA, uint32_t valueB) {
  return commands.Register(id, kind, flags, iconId, stringId, data, valueA, valueB);
}

int32_t CZrfApp::SetCommand(uint16_t id, const CommandRecord& record) {
  const int32_t result = commands.Set(id, record);
  if (result == ZRF_OK) RedrawCommandItems(id);
  return result;
}

int32_t CZrfApp::SetCommandChecked(uint16_t id, uint8_t checked) {
  bool changed = false;
  const int32_t result = commands.SetChecked(id, checked != 0, &changed);
  if (changed) RedrawCommandItems(id);
  return result;
}

int32_t CZrfApp::EnableCommand(uint16_t id, uint8_t enabled) {
  bool changed = false;
  const int32_t result = commands.Enable(id, enabled != 0, &changed);
  if (!changed) return result;
  if (enabled == 0) {
    if (CZrfWindow* window = FindWindowByIndex(menuWindowIndex))
      window->SetStatusText(kStatusKeyHover, nullptr);
  }
  RedrawCommandItems(id);
  return result;
}
