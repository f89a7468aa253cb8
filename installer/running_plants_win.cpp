// Ending the running plants through the control message; see running_plants_win.h.
#include "installer/running_plants_win.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "framework/app/control_window.h"
#include "framework/base/crc32.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_messages.h"
#include "hooklib/companion_protocol.h"
#include "installer/install_record_builder.h"

namespace installer {
namespace {

// The processes behind every top-level window of `windowClass` (and `title`, when not null).
void AddWindowProcesses(const char* windowClass, const char* title, std::vector<DWORD>* ids) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, windowClass, title)) != nullptr) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    bool known = id == 0;
    for (DWORD other : *ids) known = known || other == id;
    if (!known) ids->push_back(id);
  }
}

}  // namespace

RunningPlants EndRunningPlants(uint32_t timeoutMs) {
  std::vector<DWORD> ids;
  // Every plant process has one control window titled with the product name; the companion
  // ends by itself once the last plant has unregistered, and holds the 64-bit library until then.
  AddWindowProcesses(kControlWindowClass, kProductName, &ids);
  AddWindowProcesses(ostrel::kCompanionClass, nullptr, &ids);
  RunningPlants result;
  result.asked = int32_t(ids.size());
  if (ids.empty()) return result;

  // At most 16 plants and their companion run at once, well below what one wait can take.
  std::vector<ScopedHandle> processes;
  std::vector<HANDLE> waitable;
  for (DWORD id : ids) {
    ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!process.Get() || waitable.size() == MAXIMUM_WAIT_OBJECTS) {
      ++result.stillRunning;
      continue;
    }
    waitable.push_back(process.Get());
    processes.push_back(std::move(process));
  }
  // What "-QUIT" broadcasts: every instance of the product ends its loop and saves.
  const UINT controlMessage = RegisterWindowMessageA(kControlMessageName);
  PostMessageA(HWND_BROADCAST, controlMessage, zrf::WM_ZRF_QUIT,
               LPARAM(Crc32(kProductName, ptrdiff_t(sizeof kProductName - 1))));
  if (!waitable.empty()) WaitForMultipleObjects(DWORD(waitable.size()), waitable.data(), TRUE, timeoutMs);
  for (HANDLE process : waitable)
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) ++result.stillRunning;
  return result;
}

}  // namespace installer
