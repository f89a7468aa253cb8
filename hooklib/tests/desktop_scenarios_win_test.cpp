// The hook library against the test desktop under Wine: injection and subclass, Paint order,
// hit tests, drags, double-clicks, the client limit, a crashed plant, and a desktop restart.
// Each test starts its own test desktop and test plants as child processes and kills them at its
// end. Under Wine, pixels one process paints into another's window never reach the screen, so the
// checks are on messages, their order, the regions and the shared block.
//
//   ostrel_desktop_tests <test desktop exe> <test plant exe> <folder of Ostrel64.dll>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "hooklib/busy_word.h"
#include "hooklib/frame_geometry.h"
#include "hooklib/shared_block.h"
#include "tools/testdesktop/desktop_query.h"
#include "tools/testplant/plant_log.h"
#include "tools/testsupport/wine_path.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using testplant::LogEntry;

constexpr DWORD kWaitMs = 15000;

std::string gDesktopExe;
std::string gPlantExe;
std::string gLibraryDir;

std::string RectArg(const Rect32& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

LPARAM PointParam(int x, int y) { return MAKELPARAM(x, y); }

class DesktopScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(gDesktopExe.empty()) << "usage: test desktop exe, test plant exe, library folder";
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
    const std::string path = gLibraryDir + ";" + (getenv("PATH") ? getenv("PATH") : "");
    SetEnvironmentVariableA("PATH", path.c_str());
  }

  void TearDown() override {
    for (PROCESS_INFORMATION& p : plants_) Kill(p);
    Kill(desktop_);
    if (block_ != nullptr) UnmapViewOfFile(block_);
    if (blockMapping_ != nullptr) CloseHandle(blockMapping_);
    if (log_ != nullptr) UnmapViewOfFile(log_);
    for (HANDLE h : {logMapping_, logEvent_, readyEvent_, pingEvent_}) {
      if (h != nullptr) CloseHandle(h);
    }
  }

  static void Kill(PROCESS_INFORMATION& p) {
    if (p.hProcess == nullptr) return;
    TerminateProcess(p.hProcess, 1);
    WaitForSingleObject(p.hProcess, 5000);
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
    p = PROCESS_INFORMATION{};
  }

  static PROCESS_INFORMATION Start(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      ADD_FAILURE() << "CreateProcess failed (" << GetLastError() << "): " << commandLine;
    }
    return pi;
  }

  void StartDesktop(const char* mode = "progman") {
    ResetEvent(readyEvent_);
    desktop_ = Start("\"" + gDesktopExe + "\" " + mode);
    const HANDLE waits[] = {readyEvent_, desktop_.hProcess};
    ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, kWaitMs), WAIT_OBJECT_0) << "test desktop not ready";
    control_ = FindWindowA(testdesktop::kControlClass, nullptr);
    ASSERT_NE(control_, nullptr);
    listView_ = reinterpret_cast<HWND>(Query(testdesktop::QueryListView));
    ASSERT_NE(listView_, nullptr);
  }

  void KillDesktop() {
    Kill(desktop_);
    control_ = nullptr;
  }

  // Starts test plant `id`; waits until its window is published.
  void StartPlant(int id, const std::string& name, const Rect32& rect,
                  const ostrel::FrameLimits& limits = {1, 100000, 1, 100000}) {
    if (plants_.size() <= static_cast<size_t>(id)) plants_.resize(id + 1);
    log_->windows[id] = 0;
    plants_[id] = Start("\"" + gPlantExe + "\" " + std::to_string(id) + " " + name + " " + RectArg(rect) +
                        " " + std::to_string(limits.minWidth) + "," + std::to_string(limits.maxWidth) + "," +
                        std::to_string(limits.minHeight) + "," + std::to_string(limits.maxHeight));
    ASSERT_TRUE(WaitFor([&] { return PlantWindow(id) != nullptr; })) << "plant " << id << " did not start";
    OpenBlock();
  }

  void KillPlant(int id) { Kill(plants_[id]); }

  HWND PlantWindow(int id) {
    return reinterpret_cast<HWND>(ostrel::UnpackHandle(__atomic_load_n(&log_->windows[id], __ATOMIC_ACQUIRE)));
  }

  LRESULT Command(int id, testplant::Command command) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(PlantWindow(id), WM_APP + command, 0, 0, SMTO_NORMAL, 30000, &result)) {
      ADD_FAILURE() << "plant " << id << " did not answer command " << command;
      return -100;
    }
    return static_cast<int32_t>(result);
  }

  LRESULT Query(testdesktop::Query query, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control_, WM_APP + query, wParam, 0, SMTO_NORMAL, 10000, &result)) {
      ADD_FAILURE() << "test desktop did not answer query " << query;
    }
    return static_cast<LRESULT>(result);
  }

  unsigned Status() { return static_cast<unsigned>(Query(testdesktop::QueryStatus)); }

  // Posts mouse messages to the list view, as the system would, and returns once the desktop
  // thread has handled all of them.
  void Mouse(std::initializer_list<std::pair<UINT, POINT>> events) {
    for (const auto& [msg, p] : events) {
      const WPARAM keys = msg == WM_LBUTTONUP || msg == WM_CANCELMODE ? 0 : MK_LBUTTON;
      PostMessageA(listView_, msg, keys, PointParam(p.x, p.y));
    }
    Ping();
  }

  // Returns once the desktop thread has handled everything posted to it before.
  void Ping() {
    PostMessageA(control_, WM_APP + testdesktop::QueryPing, 0, 0);
    ASSERT_EQ(WaitForSingleObject(pingEvent_, kWaitMs), WAIT_OBJECT_0) << "desktop thread did not answer";
  }

  void OpenBlock() {
    if (block_ != nullptr) return;
    blockMapping_ = OpenFileMappingA(FILE_MAP_WRITE, FALSE, ostrel::kSharedMemName);
    ASSERT_NE(blockMapping_, nullptr);
    block_ = static_cast<ostrel::OstrelSharedMem*>(MapViewOfFile(blockMapping_, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(block_, nullptr);
  }

  // Waits, bounded, until `done` holds; re-checks whenever a plant logs something.
  bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
      const DWORD spent = GetTickCount() - start;
      if (spent >= timeoutMs) return done();
      WaitForSingleObject(logEvent_, timeoutMs - spent < 200 ? timeoutMs - spent : 200);
    }
    return true;
  }

  // Complete log entries from `from` on.
  std::vector<LogEntry> Entries(int32_t from = 0) {
    std::vector<LogEntry> out;
    const int32_t end = __atomic_load_n(&log_->next, __ATOMIC_ACQUIRE);
    for (int32_t i = from; i < end && i < testplant::kMaxEntries; ++i) {
      if (__atomic_load_n(&log_->entries[i].written, __ATOMIC_ACQUIRE) == 1) out.push_back(log_->entries[i]);
    }
    return out;
  }

  std::vector<LogEntry> EntriesWithCode(OstrelCode code, int32_t from = 0) {
    std::vector<LogEntry> out;
    for (const LogEntry& e : Entries(from)) {
      if (e.code == static_cast<uint32_t>(code)) out.push_back(e);
    }
    return out;
  }

  int32_t Mark() { return __atomic_load_n(&log_->next, __ATOMIC_ACQUIRE); }

  std::vector<uint32_t> Clients() {
    return std::vector<uint32_t>(block_->clients, block_->clients + block_->clientCount);
  }

  uint32_t Slot(int id) { return ostrel::PackHandle(reinterpret_cast<uintptr_t>(PlantWindow(id))); }

  void Register(int id, LRESULT expected = 0) { EXPECT_EQ(Command(id, testplant::CommandRegister), expected) << id; }

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
};

constexpr Rect32 kRectA{200, 150, 400, 450};
constexpr Rect32 kRectB{300, 250, 460, 490};

TEST_F(DesktopScenario, EntersTheDesktopAndLeavesWithTheLastClient) {
  StartDesktop();
  EXPECT_EQ(Status(), testdesktop::kDoubleBuffered);
  StartPlant(0, "a.plt", kRectA);
  EXPECT_EQ(ostrel::UnpackHandle(block_->listView), reinterpret_cast<uintptr_t>(listView_));
  EXPECT_EQ(block_->message, message_);
  Register(0);
  EXPECT_EQ(Status(), testdesktop::kLibraryLoaded | testdesktop::kSubclassed);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(0)}));

  EXPECT_EQ(Command(0, testplant::CommandUnregister), 1);
  EXPECT_EQ(Status() & (testdesktop::kSubclassed | testdesktop::kDoubleBuffered), testdesktop::kDoubleBuffered);
  EXPECT_TRUE(Clients().empty());
  // The library stays mapped in the desktop (Wine never unloads a hook's module); the next first
  // client must still get the subclass back.
  Register(0);
  EXPECT_TRUE(Status() & testdesktop::kSubclassed);
  // Unregistering a window that is not registered changes nothing.
  Command(0, testplant::CommandUnregister);
  EXPECT_EQ(Command(0, testplant::CommandUnregister), 0);
  EXPECT_FALSE(Status() & testdesktop::kSubclassed);
}

bool Covers(const Rect32& outer, const Rect32& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

// Index of the first broadcast, among `paints`, that went to plants 0..count-1 in list order
// with a region covering `rect`; -1 when there is none (yet). Other repaints of the desktop may
// run before or between, so the broadcast is searched for, not assumed to come first.
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

TEST_F(DesktopScenario, PaintGoesToEveryClientBottomFirstWithTheRegion) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  StartPlant(1, "b.plt", kRectB);
  Register(0);
  Register(1);
  const int32_t mark = Mark();
  EXPECT_EQ(Command(1, testplant::CommandUpdate), 1);
  EXPECT_TRUE(WaitFor([&] { return FindBroadcast(EntriesWithCode(OstrelCode::Paint, mark), 2, kRectB) >= 0; }));
  // Every broadcast is whole and bottom first.
  const std::vector<LogEntry> paints = EntriesWithCode(OstrelCode::Paint, mark);
  for (size_t i = 1; i < paints.size(); ++i) {
    if (paints[i].plant == 1) {
      EXPECT_EQ(paints[i - 1].plant, 0) << i;
    }
  }
  Ping();
  EXPECT_EQ(block_->busy & ostrel::kBusyPaint, 0);
}

TEST_F(DesktopScenario, LargeRepaintRegionIsHandedOverInFull) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  Register(0);
  // 300 one-pixel squares on a diagonal, which no region can merge: more rectangles than one
  // paintRegion holds (254).
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int i = 0; i < 300; ++i) {
    const HRGN square = CreateRectRgn(10 + 2 * i, 10 + 2 * i, 11 + 2 * i, 11 + 2 * i);
    CombineRgn(region, region, square, RGN_OR);
    DeleteObject(square);
  }
  // Whatever the desktop still has to paint goes first, so the region stays as made here.
  UpdateWindow(listView_);
  Ping();
  const int32_t mark = Mark();
  InvalidateRgn(listView_, region, TRUE);
  DeleteObject(region);
  UpdateWindow(listView_);
  // The first 254 squares end at 10 + 2 * 253 + 1; the last 46 start at 10 + 2 * 254.
  auto isFirstChunk = [](const LogEntry& e) { return e.rect.left == 10 && e.rect.bottom == 517; };
  auto isSecondChunk = [](const LogEntry& e) { return e.rect.left == 518 && e.rect.bottom == 609; };
  const bool split = WaitFor([&] {
    const std::vector<LogEntry> paints = EntriesWithCode(OstrelCode::Paint, mark);
    for (size_t i = 0; i + 1 < paints.size(); ++i) {
      if (isFirstChunk(paints[i]) && isSecondChunk(paints[i + 1])) return true;
    }
    return false;
  });
  EXPECT_TRUE(split);
  if (!split) {
    for (const LogEntry& e : EntriesWithCode(OstrelCode::Paint, mark)) {
      ADD_FAILURE() << "paint over " << e.rect.left << "," << e.rect.top << "," << e.rect.right << ","
                    << e.rect.bottom;
    }
  }
}

TEST_F(DesktopScenario, SixteenClientsAreServedAndTheSeventeenthIsRefused) {
  StartDesktop();
  for (int id = 0; id < 17; ++id) {
    StartPlant(id, "p" + std::to_string(id) + ".plt", Rect32{600 + id, 100, 700 + id, 200});
  }
  for (int id = 0; id < 16; ++id) Register(id);
  Register(16, -1);
  EXPECT_EQ(block_->clientCount, 16);
  const int32_t mark = Mark();
  Command(0, testplant::CommandUpdate);
  EXPECT_TRUE(WaitFor([&] { return FindBroadcast(EntriesWithCode(OstrelCode::Paint, mark), 16, Rect32{600, 100, 700, 200}) >= 0; }));
}

TEST_F(DesktopScenario, PlantsRegisteringAtOnceEachGetOneSlot) {
  StartDesktop();
  constexpr int kPlants = 8;
  for (int id = 0; id < kPlants; ++id) {
    StartPlant(id, "p" + std::to_string(id) + ".plt", Rect32{600 + id, 100, 700 + id, 200});
  }
  const int32_t mark = Mark();
  for (int id = 0; id < kPlants; ++id) {
    PostMessageA(PlantWindow(id), WM_APP + testplant::CommandRegister, 0, 0);
  }
  auto results = [&] { return EntriesWithCode(static_cast<OstrelCode>(testplant::kRegisterResultCode), mark); };
  ASSERT_TRUE(WaitFor([&] { return results().size() == kPlants; }, 60000));
  for (const LogEntry& e : results()) EXPECT_EQ(e.answer, 0) << e.plant;
  std::vector<uint32_t> clients = Clients();
  std::vector<uint32_t> expected;
  for (int id = 0; id < kPlants; ++id) expected.push_back(Slot(id));
  std::sort(clients.begin(), clients.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(clients, expected);
  EXPECT_EQ(block_->busy & ostrel::kBusyClaimMask, 0);
}

TEST_F(DesktopScenario, DoubleClickActivatesTheTopmostHitAndBringsItUp) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  StartPlant(1, "b.plt", kRectB);
  Register(0);
  Register(1);
  // In the overlap: the top plant (1) is asked first and answers hit; plant 0 is never asked.
  int32_t mark = Mark();
  Mouse({{WM_LBUTTONDBLCLK, {350, 300}}});
  std::vector<LogEntry> hits = EntriesWithCode(OstrelCode::HitTest, mark);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].plant, 1);
  EXPECT_EQ(hits[0].rect.left, 350);
  EXPECT_EQ(hits[0].rect.top, 300);
  ASSERT_EQ(EntriesWithCode(OstrelCode::Activate, mark).size(), 1u);
  EXPECT_EQ(EntriesWithCode(OstrelCode::Activate, mark)[0].plant, 1);
  EXPECT_EQ(block_->activeClient, Slot(1));

  // Only on plant 0, outside the active frame: plant 1 is deactivated, both are asked top first,
  // plant 0 is activated and moved to the top.
  mark = Mark();
  Mouse({{WM_LBUTTONDBLCLK, {250, 200}}});
  const std::vector<LogEntry> all = Entries(mark);
  std::vector<std::pair<int, uint32_t>> seen;
  for (const LogEntry& e : all) {
    if (e.code != static_cast<uint32_t>(OstrelCode::Paint)) seen.push_back({e.plant, e.code});
  }
  const std::vector<std::pair<int, uint32_t>> expected = {
      {1, 35}, {1, 4}, {0, 4}, {0, 33}, {0, 9}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(1), Slot(0)}));
  EXPECT_EQ(block_->activeClient, Slot(0));

  // Inside the active frame: Activate again, and the list view still gets the double-click.
  const LRESULT before = Query(testdesktop::QueryDoubleClicks);
  mark = Mark();
  Mouse({{WM_LBUTTONDBLCLK, {210, 160}}});
  EXPECT_EQ(EntriesWithCode(OstrelCode::Activate, mark).size(), 1u);
  EXPECT_TRUE(EntriesWithCode(OstrelCode::HitTest, mark).empty());
  EXPECT_EQ(Query(testdesktop::QueryDoubleClicks), before + 1);
}

TEST_F(DesktopScenario, DragMovesTheActiveFrameAndTellsThePlant) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA, {50, 600, 60, 700});
  Register(0);
  Command(0, testplant::CommandActivate);
  const LRESULT downsBefore = Query(testdesktop::QueryButtonDowns);
  int32_t mark = Mark();
  Mouse({{WM_LBUTTONDOWN, {300, 300}}, {WM_MOUSEMOVE, {320, 310}}, {WM_MOUSEMOVE, {340, 330}},
         {WM_LBUTTONUP, {340, 330}}});
  std::vector<uint32_t> codes;
  std::vector<int32_t> limits;
  for (const LogEntry& e : Entries(mark)) {
    if (e.code == static_cast<uint32_t>(OstrelCode::Paint)) continue;
    codes.push_back(e.code);
    if (e.code == static_cast<uint32_t>(OstrelCode::GetLimit)) limits.push_back(e.lParam);
  }
  EXPECT_EQ(codes, (std::vector<uint32_t>{12, 11, 11, 11, 11, 13, 8}));
  EXPECT_EQ(limits, (std::vector<int32_t>{1, 2, 3, 4}));
  const Rect32 moved{240, 180, 440, 480};
  EXPECT_EQ(block_->activeFrame, moved);
  const std::vector<LogEntry> changed = EntriesWithCode(OstrelCode::FrameChanged, mark);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].rect, moved);
  // The button-down on the frame is the plant's: the list view starts no selection.
  EXPECT_EQ(Query(testdesktop::QueryButtonDowns), downsBefore);

  // Resizing by the left edge gives what the frame geometry computes for the same inputs.
  mark = Mark();
  Mouse({{WM_LBUTTONDOWN, {242, 330}}, {WM_MOUSEMOVE, {100, 300}}, {WM_LBUTTONUP, {100, 300}}});
  const ostrel::DragStart drag{ostrel::kZoneLeft, moved, static_cast<double>(300.0f / 200.0f), {242, 330},
                               {50, 600, 60, 700}};
  EXPECT_EQ(block_->activeFrame, ostrel::TrackFrameRect(drag, {100, 300}));
  EXPECT_EQ(EntriesWithCode(OstrelCode::FrameChanged, mark).size(), 1u);
}

TEST_F(DesktopScenario, LostButtonUpStillEndsTheDrag) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  Register(0);
  Command(0, testplant::CommandActivate);
  const int32_t mark = Mark();
  Mouse({{WM_LBUTTONDOWN, {300, 300}}, {WM_MOUSEMOVE, {350, 350}}, {WM_CANCELMODE, {0, 0}}});
  EXPECT_EQ(EntriesWithCode(OstrelCode::DragStart, mark).size(), 1u);
  EXPECT_EQ(EntriesWithCode(OstrelCode::DragEnd, mark).size(), 1u);
  EXPECT_TRUE(EntriesWithCode(OstrelCode::FrameChanged, mark).empty());
  EXPECT_EQ(block_->activeFrame, kRectA);
  // A button-up after that is the list view's own again.
  Mouse({{WM_LBUTTONUP, {350, 350}}});
  EXPECT_EQ(EntriesWithCode(OstrelCode::DragEnd, mark).size(), 1u);
}

TEST_F(DesktopScenario, ButtonDownOnAnIconInsideTheFrameStartsNoDrag) {
  StartDesktop();
  const LRESULT icon = Query(testdesktop::QueryIconPosition, 2);
  ASSERT_NE(icon, -1);
  const int x = LOWORD(icon) + 16;
  const int y = HIWORD(icon) + 16;
  StartPlant(0, "a.plt", Rect32{x - 100, y - 100, x + 100, y + 100});
  Register(0);
  Command(0, testplant::CommandActivate);
  const int32_t mark = Mark();
  Mouse({{WM_LBUTTONDOWN, {x, y}}, {WM_LBUTTONUP, {x, y}}});
  EXPECT_TRUE(EntriesWithCode(OstrelCode::DragStart, mark).empty());
}

TEST_F(DesktopScenario, CursorFollowsTheFrameZone) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  Register(0);
  Command(0, testplant::CommandActivate);
  struct Row {
    POINT p;
    testdesktop::CursorId cursor;
  };
  const Row rows[] = {{{203, 155}, testdesktop::CursorSizeNWSE},
                      {{300, 300}, testdesktop::CursorSizeAll},
                      {{203, 300}, testdesktop::CursorSizeWE},
                      {{397, 155}, testdesktop::CursorSizeNESW},
                      {{300, 447}, testdesktop::CursorSizeNS},
                      {{600, 600}, testdesktop::CursorArrow}};
  for (const Row& row : rows) {
    SetCursorPos(row.p.x, row.p.y);
    POINT now{};
    GetCursorPos(&now);
    // The desktop reads the pointer from the X server over its own connection, where the warp may
    // land a moment later; X offers nothing to wait on, so the query is repeated a bounded number
    // of times.
    const LRESULT wanted = row.cursor;
    LRESULT cursor = -1;
    for (int attempt = 0; attempt < 50 && cursor != wanted; ++attempt) {
      if (attempt > 0) Sleep(20);
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(listView_, WM_SETCURSOR, reinterpret_cast<WPARAM>(listView_),
                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, 5000, &ignored);
      cursor = Query(testdesktop::QueryCursor);
    }
    EXPECT_EQ(cursor, wanted) << row.p.x << "," << row.p.y;
  }
}

TEST_F(DesktopScenario, KilledPlantDoesNotBlockTheNextOne) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  StartPlant(1, "b.plt", kRectB);
  StartPlant(2, "B.PLT", kRectB);
  Register(0);
  KillPlant(0);
  Register(1);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(1)}));
  // The same plant file again, in other letter case: the running one is activated instead.
  const int32_t mark = Mark();
  Register(2, 1);
  const std::vector<LogEntry> activated = EntriesWithCode(OstrelCode::Activate, mark);
  ASSERT_EQ(activated.size(), 1u);
  EXPECT_EQ(activated[0].plant, 1);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(1)}));
  EXPECT_EQ(block_->busy & ostrel::kBusyClaimMask, 0);
}

TEST_F(DesktopScenario, RehookAfterADesktopRestartRestoresPainting) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA);
  Register(0);
  KillDesktop();
  StartDesktop();
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
  const int32_t mark = Mark();
  Command(0, testplant::CommandRehook);
  EXPECT_EQ(ostrel::UnpackHandle(block_->listView), reinterpret_cast<uintptr_t>(listView_));
  EXPECT_TRUE(Status() & testdesktop::kSubclassed);
  ASSERT_TRUE(WaitFor([&] { return !EntriesWithCode(OstrelCode::Paint, mark).empty(); }));
  EXPECT_EQ(EntriesWithCode(OstrelCode::Paint, mark)[0].plant, 0);
}

TEST_F(DesktopScenario, LibraryDoesNotLoadWithoutADesktop) {
  const std::string path = gLibraryDir + "/Ostrel64.dll";
  const HMODULE library = LoadLibraryA(path.c_str());
  EXPECT_EQ(library, nullptr);
  if (library != nullptr) FreeLibrary(library);
}

TEST_F(DesktopScenario, ListViewIsFoundInEachDesktopLayout) {
  for (const char* mode : {"workerw", "noprogman"}) {
    StartDesktop(mode);
    StartPlant(0, "a.plt", kRectA);
    EXPECT_EQ(ostrel::UnpackHandle(block_->listView), reinterpret_cast<uintptr_t>(listView_)) << mode;
    Register(0);
    EXPECT_TRUE(Status() & testdesktop::kSubclassed) << mode;
    KillPlant(0);
    KillDesktop();
    UnmapViewOfFile(block_);
    CloseHandle(blockMapping_);
    block_ = nullptr;
    blockMapping_ = nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc >= 4) {
    gDesktopExe = ToWinePath(argv[1]);
    gPlantExe = ToWinePath(argv[2]);
    gLibraryDir = ToWinePath(argv[3]);
  }
  return RUN_ALL_TESTS();
}
