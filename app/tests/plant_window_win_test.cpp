// The plant window's procedure in this process, on a window the test makes: a plant loaded from the
// default species, a picture of known pixels, a shared block in memory, a desktop window tree of
// this process whose list view is a plain window of that class, a route that plays the library,
// and a worker whose jobs only count.
#include "app/plant_window_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/drag_pause.h"
#include "app/frame_arithmetic.h"
#include "app/message_pump_wait_win.h"
#include "app/plant_process_win.h"
#include "framework/base/zrf_messages.h"
#include "hooklib/region_chunks.h"
#include "plant/plant_file.h"
#include "plant/tests/test_plants.h"

namespace plantapp {
namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using plant::PixelRect;

constexpr int32_t kScreenWidth = 1024;
constexpr int32_t kScreenHeight = 768;
// The picture: a red left half and a transparent right half.
constexpr PixelRect kPlace{100, 200, 140, 260};
constexpr uint32_t kRed = 0xFFFF0000;  // alpha, red, green, blue from the high byte down
constexpr COLORREF kListViewColour = RGB(0, 128, 128);

// Plays the library: every call is answered, and each repaint's rectangle is kept.
class RecordingRoute final : public HookRoute {
 public:
  explicit RecordingRoute(ostrel::OstrelSharedMem& block) : block_(block) {}
  int32_t Call(ostrel::CompanionCommand command, int32_t) override {
    commands.push_back(command);
    repainted.push_back(block_.updateRect);
    return 0;
  }
  std::vector<ostrel::CompanionCommand> commands;
  std::vector<Rect32> repainted;

 private:
  ostrel::OstrelSharedMem& block_;
};

// A worker that renders nothing: each render only counts and clears the pending flag, as a hand-over.
class CountingJobs final : public WorkerJobs {
 public:
  explicit CountingJobs(WorkerWords& words) : words_(words) {}
  void Simulate(uint32_t) override {}
  void Save() override {}
  void NotifyDialog() override {}
  bool IsRenderAllowed() override { return true; }
  void Render() override {
    words_.renderPending.store(0);
    renders.fetch_add(1);
  }
  std::atomic<int> renders{0};

 private:
  WorkerWords& words_;
};

LRESULT CALLBACK ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    const HBRUSH brush = CreateSolidBrush(kListViewColour);
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    DeleteObject(brush);
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* className, WNDPROC procedure, DWORD style, int width, int height,
                HWND parent = nullptr) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(0, className, className, style, 0, 0, width, height, parent, nullptr, wc.hInstance,
                         nullptr);
}

// The desktop's window tree, whose list view this process's own class of the list view's name
// stands for: the plant paints only into a window that is the desktop's list view.
HWND MakeDesktopListView() {
  const HWND progman = MakeWindow("Progman", DefWindowProcA, WS_POPUP | WS_VISIBLE, kScreenWidth, kScreenHeight);
  const HWND defView = MakeWindow("SHELLDLL_DefView", DefWindowProcA, WS_CHILD | WS_VISIBLE, kScreenWidth,
                                  kScreenHeight, progman);
  return MakeWindow("SysListView32", ListViewProc, WS_CHILD | WS_VISIBLE, kScreenWidth, kScreenHeight, defView);
}

bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    WaitDispatchingMessages(10, nullptr);
  }
  return done();
}

class PlantWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A quit the previous test's window left behind would stand for this one's.
    MSG leftover;
    while (PeekMessageA(&leftover, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    block_.message = RegisterWindowMessageA(ostrel::kMessageName);
    ASSERT_NE(listView_, nullptr);
    SetWindowPos(listView_, nullptr, 0, 0, kScreenWidth, kScreenHeight, SWP_NOZORDER | SWP_NOMOVE);
    RedrawWindow(listView_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    block_.listView = ostrel::PackHandle(reinterpret_cast<uintptr_t>(listView_));

    p_.plant.path = folder_.File("Fern.plt");
    p_.plant.screenWidth = kScreenWidth;
    p_.plant.screenHeight = kScreenHeight;
    const std::vector<uint8_t> bytes = plant_test::DefaultPlantBytes();
    std::string why;
    ASSERT_EQ(plant::LoadPlantBytes(p_.plant, bytes.data(), bytes.size(), 0, &why), plant::LoadResult::Ok)
        << why;
    p_.names.privatePath = "C:\\Users\\me\\Brambeck\\Verdelo\\Fern.plt";
    p_.block = &block_;
    p_.route = std::make_unique<RecordingRoute>(block_);
    route_ = static_cast<RecordingRoute*>(p_.route.get());
    p_.hook = std::make_unique<HookClient>(block_, *p_.route, WaitDispatchingMessages, nullptr, nullptr);
    p_.permission.StartAt(kScreenWidth, kScreenHeight);
    window_ = MakeWindow("TestPlantWindow", MainWndProc, WS_POPUP, 0, 0);
    ASSERT_NE(window_, nullptr);
    p_.window = window_;
    SetPicture(kPlace);
    SetCurrentPlantProcess(&p_);
    ASSERT_EQ(p_.worker.Start("PlantWindowTest.plt", jobs_, 0, false), WorkerStart::Started);
    ASSERT_TRUE(WaitUntil([&] { return jobs_.renders.load() == 1 && p_.worker.IsIdle(); }));
  }
  void TearDown() override {
    p_.worker.Stop();
    SetCurrentPlantProcess(nullptr);
    p_.plant.Reset();
    const std::lock_guard<std::mutex> hold(p_.picture.Lock());
    p_.picture.Objects() = plant::PictureObjects{};
    DestroyWindow(window_);
  }
  // One list view for all: destroying a shown window takes Wine about two seconds.
  static void SetUpTestSuite() {
    listView_ = MakeDesktopListView();
  }
  static void TearDownTestSuite() { DestroyWindow(GetAncestor(listView_, GA_ROOT)); }

  void SetPicture(const PixelRect& place) {
    plant::PictureObjects objects;
    ASSERT_TRUE(plant::CreateDibPicture(nullptr, ToRect(place), &objects));
    const int32_t width = objects.Width();
    for (int32_t y = 0; y < objects.Height(); ++y) {
      for (int32_t x = 0; x < width / 2; ++x) objects.bits[y * width + x] = kRed;
    }
    const std::lock_guard<std::mutex> hold(p_.picture.Lock());
    p_.picture.Objects() = std::move(objects);
  }

  LRESULT Send(OstrelCode code, LPARAM lParam = 0) {
    return SendMessageA(window_, block_.message, static_cast<WPARAM>(code), lParam);
  }

  // Puts a one-rectangle region in the block, with the header's count replaced by `count`.
  void PutRegion(const Rect32& rect, uint32_t count) {
    const uint32_t header[4] = {ostrel::kRegionHeaderSize, ostrel::kRegionRectangles, count,
                                static_cast<uint32_t>(sizeof rect)};
    std::memcpy(block_.paintRegion, header, sizeof header);
    std::memcpy(block_.paintRegion + 16, &rect, sizeof rect);
    std::memcpy(block_.paintRegion + ostrel::kRegionHeaderSize, &rect, sizeof rect);
  }

  static COLORREF Pixel(HWND window, int x, int y) {
    const HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
  }
  COLORREF ListViewPixel(int x, int y) { return Pixel(listView_, x, y); }

  plant_test::ScratchFolder folder_{"plant_window"};
  ostrel::OstrelSharedMem block_{};
  PlantProcess p_;
  RecordingRoute* route_ = nullptr;
  CountingJobs jobs_{p_.worker.Words()};
  static inline HWND listView_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(PlantWindowTest, HitTestLimitsAndIdentifyAnswerFromThePlant) {
  auto at = [](int x, int y) { return static_cast<LPARAM>(MAKELONG(x, y)); };
  EXPECT_EQ(Send(OstrelCode::HitTest, at(105, 210)), 1);  // red half
  EXPECT_EQ(Send(OstrelCode::HitTest, at(135, 210)), 0);  // transparent half
  EXPECT_EQ(Send(OstrelCode::HitTest, at(99, 210)), 0);   // outside

  p_.plant.Record().minHeight = 0.25;
  p_.plant.Record().maxWidth = 0.5;
  EXPECT_EQ(Send(OstrelCode::GetLimit, 3), 192);
  EXPECT_EQ(Send(OstrelCode::GetLimit, 2), 512);
  EXPECT_EQ(Send(OstrelCode::GetLimit, 5), 0);

  std::strcpy(block_.checkedName, "c:\\USERS\\me\\brambeck\\verdelo\\FERN.PLT");
  EXPECT_EQ(Send(OstrelCode::Identify), 0);
  std::strcpy(block_.checkedName, "C:\\Users\\me\\Brambeck\\Verdelo\\Fern2.plt");
  EXPECT_NE(Send(OstrelCode::Identify), 0);
}

TEST_F(PlantWindowTest, PaintBlendsInsideTheRegionAndRefusesAHostileCount) {
  ASSERT_EQ(ListViewPixel(105, 210), kListViewColour);
  // A count that would make GDI read past the block: nothing is drawn.
  PutRegion(Rect32{0, 0, kScreenWidth, kScreenHeight}, ostrel::kRectsPerChunk + 1);
  EXPECT_EQ(Send(OstrelCode::Paint), 0);
  EXPECT_EQ(ListViewPixel(105, 210), kListViewColour);

  // A region over the upper part of the picture: the red is blended there only, and the
  // transparent half leaves the desktop as it was. The block names another window of the same
  // colour: the plant paints into the desktop's list view all the same, and nowhere else.
  const HWND other = MakeWindow("OtherProgramsWindow", ListViewProc, WS_POPUP | WS_VISIBLE, 300, 300);
  SetWindowPos(other, nullptr, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(other, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  block_.listView = ostrel::PackHandle(reinterpret_cast<uintptr_t>(other));
  PutRegion(Rect32{0, 0, kScreenWidth, 230}, 1);
  EXPECT_EQ(Send(OstrelCode::Paint), 0);
  EXPECT_EQ(ListViewPixel(105, 210), RGB(255, 0, 0));
  EXPECT_EQ(ListViewPixel(105, 240), kListViewColour);
  EXPECT_EQ(ListViewPixel(135, 210), kListViewColour);
  EXPECT_EQ(Pixel(other, 105, 210), kListViewColour);
  DestroyWindow(other);
}

TEST_F(PlantWindowTest, MoveShiftsTheAnchorWithoutARenderResizeScalesAndRenders) {
  plant::PlantRecord& record = p_.plant.Record();
  record.anchorX = 120.0 / kScreenWidth;
  record.anchorY = 250.0 / kScreenHeight;
  record.sizeFactor = 2.0;

  // Moved 30 right and 10 down, same size: the desktop repaints the old and the new place.
  ostrel::StoreSharedRect(block_.activeFrame, Rect32{130, 210, 170, 270});
  route_->repainted.clear();
  EXPECT_EQ(Send(OstrelCode::FrameChanged), 0);
  EXPECT_DOUBLE_EQ(record.anchorX * kScreenWidth, 150.0);
  EXPECT_DOUBLE_EQ(record.anchorY * kScreenHeight, 260.0);
  EXPECT_DOUBLE_EQ(record.sizeFactor, 2.0);
  ASSERT_EQ(route_->repainted.size(), 2u);
  EXPECT_EQ(route_->repainted[0], (Rect32{100, 200, 140, 260}));
  EXPECT_EQ(route_->repainted[1], (Rect32{130, 210, 170, 270}));
  EXPECT_EQ(p_.worker.Words().renderPending.load(), 0) << "a pure move asked for a render";

  // Twice the height from the top-left corner: the size factor doubles, the anchor keeps its
  // place in the frame, the old picture is stretched over the frame, and a render follows.
  ostrel::StoreSharedRect(block_.activeFrame, Rect32{130, 210, 210, 330});
  EXPECT_EQ(Send(OstrelCode::FrameChanged), 0);
  EXPECT_DOUBLE_EQ(record.sizeFactor, 4.0);
  EXPECT_DOUBLE_EQ(record.anchorX * kScreenWidth, 130.0 + 2 * 20);
  EXPECT_DOUBLE_EQ(record.anchorY * kScreenHeight, 210.0 + 2 * 50);
  const PixelRect shown = p_.Rect();
  EXPECT_EQ(shown.right - shown.left, 80);
  EXPECT_EQ(Send(OstrelCode::HitTest, MAKELONG(140, 300)), 1);
  EXPECT_TRUE(WaitUntil([&] { return jobs_.renders.load() == 2; }));

  // An empty frame from the block changes nothing that would divide by zero later.
  ostrel::StoreSharedRect(block_.activeFrame, Rect32{50, 50, 50, 50});
  EXPECT_EQ(Send(OstrelCode::FrameChanged), 0);
  EXPECT_DOUBLE_EQ(record.sizeFactor, 4.0);
  EXPECT_EQ(p_.Rect().right - p_.Rect().left, 80);
}

TEST_F(PlantWindowTest, OptionsPageCentresAtTheNaturalSizeAndADisplayChangeRescales) {
  p_.plant.Record().sizeFactor = 2.0;
  ostrel::StoreSharedRect(block_.activeFrame, ToRect32(kPlace));
  SendMessageA(window_, kPlantRefreshMessage, kOptionsPageRequest, kCentreFrame);
  // The natural size is 20 x 30, centred on 1024 x 768.
  const PixelRect centred = p_.Rect();
  EXPECT_EQ(centred.left, 502);
  EXPECT_EQ(centred.top, 369);
  EXPECT_EQ(centred.right, 522);
  EXPECT_EQ(centred.bottom, 399);

  // Following the screen: twice the size, so the plant keeps its place and doubles.
  p_.permission.followScreenMode.store(true);
  SetWindowPos(listView_, nullptr, 0, 0, 2 * kScreenWidth, 2 * kScreenHeight, SWP_NOZORDER | SWP_NOMOVE);
  route_->repainted.clear();
  SendMessageA(window_, WM_DISPLAYCHANGE, 32, MAKELONG(2 * kScreenWidth, 2 * kScreenHeight));
  const PixelRect doubled = p_.Rect();
  EXPECT_EQ(doubled.left, 1004);
  EXPECT_EQ(doubled.top, 738);
  EXPECT_EQ(doubled.right, 1044);
  EXPECT_EQ(doubled.bottom, 798);
  EXPECT_DOUBLE_EQ(p_.plant.pixelsPerUnit, 2 * kScreenHeight * p_.plant.Record().pixelScale);
  ASSERT_FALSE(route_->repainted.empty());
  EXPECT_EQ(route_->repainted.back(), (Rect32{502, 369, 1044, 798}));
}

// A drag whose end never comes: the worker is held only while the desktop that started the drag
// lives, has not been replaced, and has been heard from within the silence limit.
TEST_F(PlantWindowTest, DragPauseEndsWhenTheDragsDesktopIsGoneOrSilent) {
  auto tick = [&] { SendMessageA(window_, WM_TIMER, kClockTimerId, 0); };
  auto held = [&] { return !p_.worker.Running().IsSet(); };
  EXPECT_EQ(Send(OstrelCode::DragStart), 0);
  EXPECT_EQ(Send(OstrelCode::GetLimit, 1), 30);
  tick();
  EXPECT_TRUE(held()) << "a live drag was let go";
  p_.dragSilenceMs = 0;
  tick();
  EXPECT_FALSE(held());
  // The worker goes on: a redraw is rendered.
  p_.worker.Request(0, WorkerCommand::Redraw);
  EXPECT_TRUE(WaitUntil([&] { return jobs_.renders.load() == 2; }));

  p_.dragSilenceMs = kDragSilenceMs;
  EXPECT_EQ(Send(OstrelCode::DragStart), 0);
  SendMessageA(window_, zrf::WM_ZRF_TASKBARCREATED, 0, 0);
  EXPECT_FALSE(held()) << "a rehook kept the drag";

  // The drag's list view is destroyed, as when the desktop's process dies.
  const HWND doomed = MakeWindow("DoomedListView", DefWindowProcA, WS_POPUP, 10, 10);
  block_.listView = ostrel::PackHandle(reinterpret_cast<uintptr_t>(doomed));
  EXPECT_EQ(Send(OstrelCode::DragStart), 0);
  tick();
  EXPECT_TRUE(held());
  DestroyWindow(doomed);
  tick();
  EXPECT_FALSE(held()) << "a drag of a dead desktop kept the worker";
}

TEST_F(PlantWindowTest, CancelledLogoffOnlySavesRealOneShutsDownOnceAndQuits) {
  MSG quit;
  SendMessageA(window_, WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(p_.plant.IsLoaded());
  std::vector<uint8_t> saved = plant_test::ReadFile(p_.plant.path);
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(plant_test::Get<int32_t>(saved, offsetof(plant::PlantRecord, flags)) & plant::kCleanShutdown, 0);

  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(p_.window, nullptr);
  EXPECT_FALSE(p_.plant.IsLoaded());
  saved = plant_test::ReadFile(p_.plant.path);
  ASSERT_FALSE(saved.empty());
  const int32_t flags = plant_test::Get<int32_t>(saved, offsetof(plant::PlantRecord, flags));
  EXPECT_EQ(flags & (plant::kCleanShutdown | plant::kDialogShown),
            plant::kCleanShutdown | plant::kDialogShown);
  // The snapshot beside it holds the 40 x 60 picture.
  const std::vector<uint8_t> snapshot = plant_test::ReadFile(folder_.File("Fern.pim"));
  ASSERT_GE(snapshot.size(), 44u);
  EXPECT_EQ(plant_test::Get<int32_t>(snapshot, 8), 40);
  EXPECT_EQ(plant_test::Get<int32_t>(snapshot, 12), 60);
  ASSERT_FALSE(route_->commands.empty());
  EXPECT_EQ(route_->commands.back(), ostrel::CompanionCommand::UnregisterClient);

  // The end of the message loop shuts down once more: nothing happens.
  const size_t calls = route_->commands.size();
  SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(route_->commands.size(), calls);
}

}  // namespace
}  // namespace plantapp
