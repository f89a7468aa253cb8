// Ending the running plants through the control message and starting them again; see
// running_plants_win.h.
#include "installer/running_plants_win.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/control_window.h"
#include "framework/base/crc32.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_messages.h"
#include "hooklib/companion_protocol.h"
#include "installer/install_record_builder.h"
#include "installer/process_command_line_win.h"
#include "installer/wide_text_win.h"

namespace installer {
namespace {

// The processes behind every top-level window of `windowClass` (and `title`, when not null) that
// `ids` does not hold yet.
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

struct Process {
  ScopedHandle handle;
  bool isPlant = false;
  bool hasCommand = false;
  PlantCommand command;
};

// Opens `id` for waiting and, for a plant, reads what it was started with while it still runs.
Process OpenRunning(DWORD id, bool isPlant) {
  Process process;
  process.isPlant = isPlant;
  if (isPlant) {
    process.handle = ScopedHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    process.hasCommand = process.handle.IsValid() && ReadProcessCommand(process.handle.Get(), &process.command);
  }
  if (!process.handle.IsValid()) process.handle = ScopedHandle(OpenProcess(SYNCHRONIZE, FALSE, id));
  return process;
}

}  // namespace

RunningPlants EndRunningPlants(uint32_t timeoutMs) {
  std::vector<DWORD> ids;
  // Every plant process has one control window titled with the product name; the companion
  // ends by itself once the last plant has unregistered, and holds the 64-bit library until then.
  AddWindowProcesses(kControlWindowClass, kProductName, &ids);
  const size_t plantCount = ids.size();
  AddWindowProcesses(ostrel::kCompanionClass, nullptr, &ids);
  RunningPlants result;
  result.asked = int32_t(ids.size());
  if (ids.empty()) return result;

  // At most 16 plants and their companion run at once, well below what one wait can take.
  std::vector<Process> processes;
  std::vector<HANDLE> waitable;
  for (size_t i = 0; i < ids.size(); ++i) {
    Process process = OpenRunning(ids[i], i < plantCount);
    if (!process.handle.IsValid() || waitable.size() == MAXIMUM_WAIT_OBJECTS) {
      ++result.stillRunning;
      continue;
    }
    waitable.push_back(process.handle.Get());
    processes.push_back(std::move(process));
  }
  // What "-QUIT" broadcasts: every instance of the product ends its loop and saves.
  const UINT controlMessage = RegisterWindowMessageA(kControlMessageName);
  PostMessageA(HWND_BROADCAST, controlMessage, zrf::WM_ZRF_QUIT,
               LPARAM(Crc32(kProductName, ptrdiff_t(sizeof kProductName - 1))));
  if (!waitable.empty()) WaitForMultipleObjects(DWORD(waitable.size()), waitable.data(), TRUE, timeoutMs);
  for (Process& process : processes) {
    if (WaitForSingleObject(process.handle.Get(), 0) != WAIT_OBJECT_0) {
      ++result.stillRunning;
    } else if (process.isPlant && process.hasCommand) {
      result.ended.push_back(std::move(process.command));
    } else if (process.isPlant) {
      ++result.unread;
    }
  }
  return result;
}

int32_t StartPlants(const std::vector<PlantCommand>& plants) {
  int32_t started = 0;
  for (const PlantCommand& plant : plants) {
    const std::wstring program = WideFromUtf8(plant.program);
    std::wstring commandLine = WideFromUtf8(plant.commandLine);
    const size_t slash = program.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
      std::fprintf(stderr, "VerdeloSetup: CreateProcessW of %s failed: %lu\n", plant.program.c_str(), GetLastError());
      continue;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ++started;
  }
  return started;
}

}  // namespace installer
