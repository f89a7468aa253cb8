// A GoogleTest fixture for tests under Wine against the test desktop: it starts the test desktop
// and test plants as child processes, reads the test plants' shared log and the hook library's
// shared block, posts mouse input to the desktop's list view, and kills what it started.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "hooklib/frame_geometry.h"
#include "hooklib/shared_block.h"
#include "tools/testdesktop/desktop_query.h"
#include "tools/testplant/plant_log.h"

namespace scenario {

/// The programs a scenario starts; the test program's main fills them (Windows paths).
struct Programs {
  std::string desktop;     ///< the test desktop of this build's width, which plants reach directly
  std::string plant;       ///< the test plant
  std::string libraryDir;  ///< the folder of this build's hook library, put on PATH for the children
  std::string companion;   ///< Verdelo64.exe, for plants that take the companion route
  std::string desktop64;   ///< the 64-bit test desktop, which plants reach through the companion
};

/// The process's programs.
Programs& ScenarioPrograms();

/// Longest wait for anything a scenario expects.
inline constexpr DWORD kWaitMs = 15000;

/// Starts a program; a failure is a test failure (the result is then empty).
PROCESS_INFORMATION StartProcess(const std::string& commandLine);

/// Ends a process this test started and closes its handles; harmless on an empty one.
void KillProcess(PROCESS_INFORMATION& process);

/// How a plant reaches the library: directly on Windows of its own width, through the companion as
/// a 32-bit plant on 64-bit Windows.
enum class Route { Direct, Companion };

/// The route this build's plant program takes where this test runs.
Route ProgramRoute();

/// The places of the scenarios' two plants "a.plt" and "b.plt"; they overlap.
inline constexpr ostrel::Rect32 kRectA{200, 150, 400, 450};
inline constexpr ostrel::Rect32 kRectB{300, 250, 460, 490};

class DesktopScenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void Kill(PROCESS_INFORMATION& process);
  static PROCESS_INFORMATION Start(const std::string& commandLine);

  /// Starts the test desktop that plants on `route` meet.
  void StartDesktop(const char* mode = "progman", Route route = Route::Direct);
  void KillDesktop();
  /// Starts test plant `id`; waits until its window is published.
  void StartPlant(int id, const std::string& name, const ostrel::Rect32& rect,
                  const ostrel::FrameLimits& limits = {1, 100000, 1, 100000}, Route route = Route::Direct);
  void KillPlant(int id) { Kill(plants_[id]); }
  /// The test desktop, then plants 0 ("a.plt" at kRectA) and 1 ("b.plt" at kRectB), both
  /// registered, 0 at the bottom.
  void StartDesktopWithTwoPlants(Route route = Route::Direct);
  HWND PlantWindow(int id);
  uint32_t Slot(int id);

  /// Sends a command to test plant `id`; its answer, or -100 when it did not answer.
  LRESULT Command(int id, testplant::Command command);
  void Register(int id, LRESULT expected = 0);
  LRESULT Query(testdesktop::Query query, WPARAM wParam = 0);
  unsigned Status() { return static_cast<unsigned>(Query(testdesktop::QueryStatus)); }

  /// Posts mouse messages to the list view, as the system would, and returns once the desktop
  /// thread has handled all of them.
  void Mouse(std::initializer_list<std::pair<UINT, POINT>> events);
  /// Returns once the desktop thread has handled everything posted to it before.
  void Ping();

  void OpenBlock();
  void CloseBlock();

  /// Waits, bounded, until `done` holds; re-checks whenever a plant logs something.
  bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs);

  /// Complete log entries from `from` on, all or of one code.
  std::vector<testplant::LogEntry> Entries(int32_t from = 0);
  std::vector<testplant::LogEntry> EntriesWithCode(ostrel::OstrelCode code, int32_t from = 0);
  int32_t Mark();
  std::vector<uint32_t> Clients();

  /// Items the list view reports (LVM_GETITEMCOUNT), or -1 when it did not answer.
  LRESULT ItemCount();
  /// The places the list view reports for its icons, in order, as QueryIconPosition answers.
  std::vector<LRESULT> IconPlaces();
  /// Asks plant `through` to repaint its place and counts the plants of `ids` that receive Paint
  /// for it and paint into the test desktop's list view.
  int PaintedPlants(const std::vector<int>& ids, int through);

  PROCESS_INFORMATION desktop_{};
  std::vector<PROCESS_INFORMATION> plants_;
  HANDLE logMapping_ = nullptr;
  testplant::PlantLog* log_ = nullptr;
  HANDLE logEvent_ = nullptr;
  HANDLE readyEvent_ = nullptr;
  HANDLE pingEvent_ = nullptr;
  HANDLE blockMapping_ = nullptr;
  ostrel::OstrelSharedMem* block_ = nullptr;
  UINT message_ = 0;
  HWND control_ = nullptr;
  HWND listView_ = nullptr;
  std::vector<LRESULT> icons_;  // IconPlaces() of the test desktop when it had started
};

/// Companion processes now running, by their program's name: a companion that does not serve has
/// no window but counts.
int CompanionProcesses();

/// Ends every companion that has a window; a test that made plants start them calls it at its end.
void EndCompanions();

/// A window handle as a block slot.
inline uint32_t SlotOf(HWND window) { return ostrel::PackHandle(reinterpret_cast<uintptr_t>(window)); }

/// True when `outer` contains `inner`.
bool Covers(const ostrel::Rect32& outer, const ostrel::Rect32& inner);

/// Index of the first broadcast, among `paints`, that went to plants 0..count-1 in list order
/// with a region covering `rect`; -1 when there is none (yet). Other repaints of the desktop may
/// run before or between, so the broadcast is searched for, not assumed to come first.
int FindBroadcast(const std::vector<testplant::LogEntry>& paints, int count, const ostrel::Rect32& rect);

/// Fills ScenarioPrograms from argv[1..5] in the order of Programs (Linux paths become Wine paths).
void ReadPrograms(int argc, char** argv);

}  // namespace scenario
