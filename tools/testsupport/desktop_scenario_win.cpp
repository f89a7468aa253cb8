// The desktop scenario fixture.
#include "tools/testsupport/desktop_scenario_win.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>

#include "framework/base/scoped_handles_win.h"
#include "hooklib/busy_word.h"
#include "hooklib/companion_protocol.h"
#include "tools/testsupport/wine_path.h"

namespace scenario {
namespace {

using ostrel::Rect32;
using testplant::LogEntry;

std::string RectArg(const Rect32& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

}  // namespace

Programs& ScenarioPrograms() {
  static Programs programs;
  return programs;
}

void ReadPrograms(int argc, char** argv) {
  std::string* fields[] = {&ScenarioPrograms().desktop, &ScenarioPrograms().plant, &ScenarioPrograms().libraryDir,
                           &ScenarioPrograms().companion, &ScenarioPrograms().desktop64};
  for (int i = 1; i < argc && i <= 5; ++i) *fields[i - 1] = ToWinePath(argv[i]);
}

Route ProgramRoute() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? Route::Companion : Route::Direct;
}

int CompanionProcesses() {
  const ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more;
       more = Process32Next(snapshot.Get(), &entry)) {
    count += lstrcmpiA(entry.szExeFile, ostrel::kCompanionFileName) == 0 ? 1 : 0;
  }
  return count;
}

void EndCompanions() {
  for (HWND window = FindWindowA(ostrel::kCompanionClass, nullptr); window != nullptr;
       window = FindWindowA(ostrel::kCompanionClass, nullptr)) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const ScopedHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
    if (!process.IsValid()) break;
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
  }
}

void DesktopScenario::SetUp() {
  ASSERT_FALSE(ScenarioPrograms().desktop.empty())
      << "usage: test desktop exe, test plant exe, library folder";
  logMapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(testplant::PlantLog), testplant::kLogMapping);
  ASSERT_NE(logMapping_, nullptr);
  log_ = static_cast<testplant::PlantLog*>(MapViewOfFile(logMapping_, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(log_, nullptr);
  ZeroMemory(log_, sizeof(testplant::PlantLog));
  logEvent_ = CreateEventA(nullptr, FALSE, FALSE, testplant::kLogEvent);
  readyEvent_ = CreateEventA(nullptr, TRUE, FALSE, testdesktop::kReadyEvent);
  pingEvent_ = CreateEventA(nullptr, FALSE, FALSE, testdesktop::kPingEvent);
  message_ = RegisterWindowMessageA(ostrel::kMessageName);
  const char* oldPath = getenv("PATH");
  const std::string path = ScenarioPrograms().libraryDir + ";" + (oldPath != nullptr ? oldPath : "");
  SetEnvironmentVariableA("PATH", path.c_str());
}

void DesktopScenario::TearDown() {
  for (PROCESS_INFORMATION& p : plants_) Kill(p);
  Kill(desktop_);
  CloseBlock();
  if (log_ != nullptr) UnmapViewOfFile(log_);
  for (HANDLE h : {logMapping_, logEvent_, readyEvent_, pingEvent_}) {
    if (h != nullptr) CloseHandle(h);
  }
}

void DesktopScenario::Kill(PROCESS_INFORMATION& p) { KillProcess(p); }

PROCESS_INFORMATION DesktopScenario::Start(const std::string& commandLine) {
  return StartProcess(commandLine);
}

void KillProcess(PROCESS_INFORMATION& p) {
  if (p.hProcess == nullptr) return;
  TerminateProcess(p.hProcess, 1);
  WaitForSingleObject(p.hProcess, 5000);
  CloseHandle(p.hProcess);
  CloseHandle(p.hThread);
  p = PROCESS_INFORMATION{};
}

PROCESS_INFORMATION StartProcess(const std::string& commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "CreateProcess failed (" << GetLastError() << "): " << commandLine;
  }
  return pi;
}

void DesktopScenario::StartDesktop(const char* mode, Route route) {
  ResetEvent(readyEvent_);
  const std::string& program = route == Route::Companion && !ScenarioPrograms().desktop64.empty()
                                   ? ScenarioPrograms().desktop64
                                   : ScenarioPrograms().desktop;
  desktop_ = Start("\"" + program + "\" " + mode);
  const HANDLE waits[] = {readyEvent_, desktop_.hProcess};
  ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, kWaitMs), WAIT_OBJECT_0) << "test desktop not ready";
  control_ = FindWindowA(testdesktop::kControlClass, nullptr);
  ASSERT_NE(control_, nullptr);
  listView_ = reinterpret_cast<HWND>(Query(testdesktop::QueryListView));
  ASSERT_NE(listView_, nullptr);
  icons_ = IconPlaces();
  ASSERT_FALSE(icons_.empty());
}

void DesktopScenario::KillDesktop() {
  Kill(desktop_);
  control_ = nullptr;
}

void DesktopScenario::StartPlant(int id, const std::string& name, const Rect32& rect,
                                 const ostrel::FrameLimits& limits, Route route) {
  if (plants_.size() <= static_cast<size_t>(id)) plants_.resize(id + 1);
  log_->windows[id] = 0;
  std::string line = "\"" + ScenarioPrograms().plant + "\" " + std::to_string(id) + " " + name + " " +
                     RectArg(rect) + " " + std::to_string(limits.minWidth) + "," +
                     std::to_string(limits.maxWidth) + "," + std::to_string(limits.minHeight) + "," +
                     std::to_string(limits.maxHeight);
  if (route == Route::Companion) line += " \"" + ScenarioPrograms().companion + "\"";
  plants_[id] = Start(line);
  ASSERT_TRUE(WaitFor([&] { return PlantWindow(id) != nullptr; })) << "plant " << id << " did not start";
  OpenBlock();
}

void DesktopScenario::StartDesktopWithTwoPlants(Route route) {
  StartDesktop("progman", route);
  StartPlant(0, "a.plt", kRectA, {1, 100000, 1, 100000}, route);
  StartPlant(1, "b.plt", kRectB, {1, 100000, 1, 100000}, route);
  Register(0);
  Register(1);
}

HWND DesktopScenario::PlantWindow(int id) {
  return reinterpret_cast<HWND>(ostrel::UnpackHandle(__atomic_load_n(&log_->windows[id], __ATOMIC_ACQUIRE)));
}

uint32_t DesktopScenario::Slot(int id) {
  return ostrel::PackHandle(reinterpret_cast<uintptr_t>(PlantWindow(id)));
}

LRESULT DesktopScenario::Command(int id, testplant::Command command) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(PlantWindow(id), WM_APP + command, 0, 0, SMTO_NORMAL, 60000, &result)) {
    ADD_FAILURE() << "plant " << id << " did not answer command " << command;
    return -100;
  }
  return static_cast<int32_t>(result);
}

void DesktopScenario::Register(int id, LRESULT expected) {
  EXPECT_EQ(Command(id, testplant::CommandRegister), expected) << id;
}

LRESULT DesktopScenario::Query(testdesktop::Query query, WPARAM wParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(control_, WM_APP + query, wParam, 0, SMTO_NORMAL, 10000, &result)) {
    ADD_FAILURE() << "test desktop did not answer query " << query;
  }
  return static_cast<LRESULT>(result);
}

void DesktopScenario::Mouse(std::initializer_list<std::pair<UINT, POINT>> events) {
  for (const auto& [msg, p] : events) {
    const WPARAM keys = msg == WM_LBUTTONUP || msg == WM_CANCELMODE ? 0 : MK_LBUTTON;
    PostMessageA(listView_, msg, keys, MAKELPARAM(p.x, p.y));
  }
  Ping();
}

void DesktopScenario::Ping() {
  PostMessageA(control_, WM_APP + testdesktop::QueryPing, 0, 0);
  ASSERT_EQ(WaitForSingleObject(pingEvent_, kWaitMs), WAIT_OBJECT_0) << "desktop thread did not answer";
}

void DesktopScenario::OpenBlock() {
  if (block_ != nullptr) return;
  blockMapping_ = OpenFileMappingA(FILE_MAP_WRITE, FALSE, ostrel::kSharedMemName);
  ASSERT_NE(blockMapping_, nullptr);
  block_ = static_cast<ostrel::OstrelSharedMem*>(MapViewOfFile(blockMapping_, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(block_, nullptr);
}

void DesktopScenario::CloseBlock() {
  if (block_ != nullptr) UnmapViewOfFile(block_);
  if (blockMapping_ != nullptr) CloseHandle(blockMapping_);
  block_ = nullptr;
  blockMapping_ = nullptr;
}

bool DesktopScenario::WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return done();
    WaitForSingleObject(logEvent_, timeoutMs - spent < 200 ? timeoutMs - spent : 200);
  }
  return true;
}

std::vector<LogEntry> DesktopScenario::Entries(int32_t from) {
  std::vector<LogEntry> out;
  const int32_t end = __atomic_load_n(&log_->next, __ATOMIC_ACQUIRE);
  for (int32_t i = from; i < end && i < testplant::kMaxEntries; ++i) {
    if (__atomic_load_n(&log_->entries[i].written, __ATOMIC_ACQUIRE) == 1) out.push_back(log_->entries[i]);
  }
  return out;
}

std::vector<LogEntry> DesktopScenario::EntriesWithCode(ostrel::OstrelCode code, int32_t from) {
  std::vector<LogEntry> out;
  for (const LogEntry& e : Entries(from)) {
    if (e.code == static_cast<uint32_t>(code)) out.push_back(e);
  }
  return out;
}

int32_t DesktopScenario::Mark() { return __atomic_load_n(&log_->next, __ATOMIC_ACQUIRE); }

std::vector<uint32_t> DesktopScenario::Clients() {
  return std::vector<uint32_t>(block_->clients, block_->clients + block_->clientCount);
}

LRESULT DesktopScenario::ItemCount() {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(listView_, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count)) return -1;
  return static_cast<LRESULT>(count);
}

std::vector<LRESULT> DesktopScenario::IconPlaces() {
  std::vector<LRESULT> places;
  for (LRESULT at; (at = Query(testdesktop::QueryIconPosition, places.size())) != -1;) places.push_back(at);
  return places;
}

int DesktopScenario::PaintedPlants(const std::vector<int>& ids, int through) {
  const int32_t mark = Mark();
  Command(through, testplant::CommandUpdate);
  const uint32_t view = SlotOf(listView_);
  auto painted = [&] {
    const std::vector<LogEntry> paints = EntriesWithCode(ostrel::OstrelCode::Paint, mark);
    return static_cast<int>(std::count_if(ids.begin(), ids.end(), [&](int id) {
      return std::any_of(paints.begin(), paints.end(),
                         [&](const LogEntry& e) { return e.plant == id && e.window == view; });
    }));
  };
  // A plant that paints nowhere is not waited for the whole scenario wait.
  WaitFor([&] { return painted() == static_cast<int>(ids.size()); }, 3000);
  return painted();
}

bool Covers(const Rect32& outer, const Rect32& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

int FindBroadcast(const std::vector<LogEntry>& paints, int count, const Rect32& rect) {
  for (size_t i = 0; i + count <= paints.size(); ++i) {
    bool whole = true;
    for (int k = 0; k < count && whole; ++k) {
      const LogEntry& e = paints[i + k];
      whole = e.plant == k && e.lParam == k && Covers(e.rect, rect) && (e.busy & ostrel::kBusyPaint);
    }
    if (whole) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace scenario
