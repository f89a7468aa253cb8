// The plant window's procedure; see plant_window_win.h. The desktop sends Paint, HitTest, GetLimit
// and Identify from inside its own message handling and waits for the answer, so those stay short
// and never wait for the worker.
#include "app/plant_window_win.h"

#include <cstring>
#include <ctime>
#include <mutex>

#include "app/frame_arithmetic.h"
#include "app/paint_region.h"
#include "app/plant_data_lock.h"
#include "app/plant_dialog_win.h"
#include "app/plant_process_win.h"
#include "app/plant_shutdown_win.h"
#include "app/program_messages_win.h"
#include "app/simulation_clock.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "plant/drawing_banner_win.h"
#include "plant/gdi_handles_win.h"
#include "plant/picture_rescale_win.h"

namespace plantapp {
namespace {

using ostrel::OstrelCode;
using plant::PixelRect;

// How long the plant waits for the desktop to repaint the frame; a hung desktop is not waited for.
constexpr UINT kDesktopReplyMs = 5000;

constexpr char kHelpFile[] = "Verdelo.chm";
constexpr char kConfigurationTopic[] = "ConfigurationInformation.htm";
constexpr char kAboutTopic[] = "About";

bool SameSize(const PixelRect& a, const PixelRect& b) {
  return int64_t{a.right} - a.left == int64_t{b.right} - b.left &&
         int64_t{a.bottom} - a.top == int64_t{b.bottom} - b.top;
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  RECT out;
  const RECT ra = ToRect(a);
  const RECT rb = ToRect(b);
  UnionRect(&out, &ra, &rb);
  return PixelRect{static_cast<int32_t>(out.left), static_cast<int32_t>(out.top),
                   static_cast<int32_t>(out.right), static_cast<int32_t>(out.bottom)};
}

// The plant's picture placed at rect: stretched when the size changes, moved otherwise. A size GDI
// cannot make (an empty or reversed frame from the block) leaves the picture where it was.
bool PlacePicture(PlantProcess& p, const PixelRect& rect) {
  if (SameSize(p.Rect(), rect)) {
    p.MoveRect(rect);
    return true;
  }
  return plant::RescalePicture(p.picture, p.window, ToRect(rect));
}

// Blends the picture onto the desktop list view, clipped to the region the library left in the
// block. The block is writable by every process of the session, so the region is checked first;
// a region that fails the check is not painted at all.
void Paint(PlantProcess& p) {
  PaintRegion region;
  if (!CopyPaintRegion(p.block->paintRegion, &region)) {
    return;
  }
  const HRGN clip = ExtCreateRegion(nullptr, region.size, reinterpret_cast<const RGNDATA*>(region.bytes));
  if (clip == nullptr) {
    return;
  }
  const HWND listView = p.ListView();
  {
    // The rectangle and the region are in the list view's client coordinates, so the client DC.
    const plant::WindowDc dc(listView);
    if (listView != nullptr && dc.Get() != nullptr) {
      SelectClipRgn(dc.Get(), clip);
      const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      const std::lock_guard<std::mutex> hold(p.picture.Lock());
      const plant::PictureObjects& shown = p.picture.Objects();
      if (shown.dc.Get() != nullptr) {
        AlphaBlend(dc.Get(), shown.rect.left, shown.rect.top, shown.Width(), shown.Height(), shown.dc.Get(),
                   0, 0, shown.Width(), shown.Height(), blend);
      }
    }
  }
  DeleteObject(clip);
}

// A hit is a picture pixel that is not the transparent black; outside the picture GetPixel answers
// CLR_INVALID, a miss.
LRESULT HitTest(PlantProcess& p, LPARAM lParam) {
  const std::lock_guard<std::mutex> hold(p.picture.Lock());
  const plant::PictureObjects& shown = p.picture.Objects();
  const PicturePoint at = HitTestPoint(
      static_cast<uintptr_t>(lParam),
      PixelRect{static_cast<int32_t>(shown.rect.left), static_cast<int32_t>(shown.rect.top), 0, 0});
  const COLORREF pixel = GetPixel(shown.dc.Get(), at.x, at.y);
  return pixel != 0 && pixel != CLR_INVALID ? 1 : 0;
}

// Pauses the worker under the picture's lock, so that a hand-over in progress ends first and
// publishes its frame before the caller's frame is read or written. True when it was running.
bool HoldWorker(PlantProcess& p) {
  const std::lock_guard<std::mutex> hold(p.picture.Lock());
  const bool wasRunning = p.worker.Running().IsSet();
  p.worker.Pause();
  return wasRunning;
}

// The library's active frame becomes the plant's rectangle after a drag, or after an Options-page
// request. The anchor keeps its place inside the frame and the size factor follows the height.
void FrameChanged(PlantProcess& p) {
  const PixelRect rect = p.Rect();
  const PixelRect frame = ToPixelRect(ostrel::LoadSharedRect(p.block->activeFrame));
  // The block is anybody's to write: a frame without area is not a place for a plant.
  if (frame.right <= frame.left || frame.bottom <= frame.top) {
    return;
  }
  p.UpdateHook(rect);
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    plant::PlantRecord& record = p.plant.Record();
    const FrameAdoption adoption =
        AdoptFrame(PlacementOf(record), rect, frame, p.permission.width.load(), p.permission.height.load());
    StorePlacement(adoption.placement, &record);
  }
  const bool resized = !SameSize(rect, frame);
  if (!PlacePicture(p, frame)) {
    return;
  }
  p.UpdateHook(frame);
  // A pure move while the worker waits needs no new picture; one in the middle of a pass may
  // already have been placed at the old anchor.
  if (resized || !p.worker.IsIdle()) {
    p.worker.Request(0, WorkerCommand::Redraw);
  }
}

void Activate(PlantProcess& p) {
  ostrel::OstrelSharedMem& block = *p.block;
  const bool opening = PlantDialogWindow() == nullptr;
  if (opening) {
    const PixelRect rect = p.Rect();
    ostrel::StoreSharedRect(block.activeFrame, ToRect32(rect));
    block.aspectRatio = FrameAspectRatio(rect);
    ostrel::StoreShared(block.activeClient, p.WindowSlot());
  }
  const HWND dialog = p.dialogHost != nullptr ? OpenPlantDialog(*p.dialogHost) : nullptr;
  if (dialog == nullptr && opening) {
    // No dialog: the desktop must not show a frame that nothing can close.
    uint32_t self = p.WindowSlot();
    if (__atomic_compare_exchange_n(&block.activeClient, &self, 0u, false, __ATOMIC_ACQ_REL,
                                    __ATOMIC_ACQUIRE)) {
      ostrel::StoreSharedRect(block.activeFrame, ostrel::Rect32{});
    }
  }
}

// Posted by the plant's own dialog as it ends, after OK has stored the options. Another plant may
// have become the active one since; its frame is left alone.
void DialogClosed(PlantProcess& p) {
  ostrel::OstrelSharedMem& block = *p.block;
  if (p.jobs != nullptr) {
    p.jobs->SetDialog(nullptr);
  }
  p.permission.followScreenMode.store(p.options.followScreenMode != 0);
  uint32_t self = p.WindowSlot();
  if (!__atomic_compare_exchange_n(&block.activeClient, &self, 0u, false, __ATOMIC_ACQ_REL,
                                   __ATOMIC_ACQUIRE)) {
    return;
  }
  // With its own window, so the desktop also stops showing and dragging this plant's frame.
  if (const HWND listView = p.ListView()) {
    SendMessageTimeoutA(listView, ostrel::LoadShared(block.message),
                        static_cast<WPARAM>(OstrelCode::RepaintFrame), static_cast<LPARAM>(p.WindowSlot()),
                        SMTO_ABORTIFHUNG | SMTO_NORMAL, kDesktopReplyMs, nullptr);
  }
  ostrel::StoreSharedRect(block.activeFrame, ostrel::Rect32{});
}

void EndDragPause(PlantProcess& p) {
  p.drag.End();
  p.worker.Resume();
}

// A drag whose desktop died (or was replaced at a rehook) never ends, nor does one the desktop
// forgot: the worker goes on from the frame the plant last adopted.
void EndAbandonedDrag(PlantProcess& p) {
  const HWND desktop = reinterpret_cast<HWND>(ostrel::UnpackHandle(p.drag.Desktop()));
  if (p.drag.IsAbandoned(desktop != nullptr && IsWindow(desktop), GetTickCount(), p.dragSilenceMs)) {
    EndDragPause(p);
  }
}

LRESULT Identify(PlantProcess& p) {
  // One copy: another process may rewrite the name while it is compared.
  char checked[sizeof p.block->checkedName];
  std::memcpy(checked, p.block->checkedName, sizeof checked);
  return IsSamePlantPath(p.names.privatePath.c_str(), checked) ? 0 : 1;
}

LRESULT OnDesktopDraw(PlantProcess& p, WPARAM code, LPARAM lParam) {
  switch (static_cast<OstrelCode>(code)) {
    case OstrelCode::Paint:
      Paint(p);
      return 0;
    case OstrelCode::HitTest:
      return HitTest(p, lParam);
    case OstrelCode::FrameChanged:
      p.drag.Heard(GetTickCount());
      FrameChanged(p);
      return 0;
    case OstrelCode::OnTop:
      p.UpdateHook(p.Rect());
      return 0;
    case OstrelCode::GetLimit:
      p.drag.Heard(GetTickCount());
      return FrameLimit(LimitsOf(p.plant.Record()), lParam);
    case OstrelCode::DragStart:
      // The desktop takes the frame as the drag's start; later hand-overs wait for DragEnd.
      (void)HoldWorker(p);
      p.drag.Start(ostrel::LoadShared(p.block->listView), GetTickCount());
      return 0;
    case OstrelCode::DragEnd:
      EndDragPause(p);
      return 0;
    case OstrelCode::Identify:
      return Identify(p);
    case OstrelCode::Activate:
      Activate(p);
      return 0;
    case OstrelCode::DialogClosed:
      DialogClosed(p);
      return 0;
    case OstrelCode::Deactivate:
      p.CloseDialogAsOk();
      return 0;
    default:
      return 0;
  }
}

// The plant keeps its place and size relative to the screen it last followed, which is the one its
// plant file's fractions are of: a screen it did not follow (rendering stopped there) changes nothing.
void DisplayChanged(PlantProcess& p) {
  const int32_t oldWidth = p.plant.screenWidth;
  const int32_t oldHeight = p.plant.screenHeight;
  RECT client{};
  if (const HWND listView = p.ListView()) {
    GetClientRect(listView, &client);
  }
  const int32_t width = client.right - client.left;
  const int32_t height = client.bottom - client.top;
  p.permission.ScreenChanged(width, height);
  if (!p.permission.followScreenMode.load() &&
      !(IsRenderAllowed(p.permission) && p.worker.Words().renderPending.load() != 0)) {
    return;
  }
  const PixelRect rect = p.Rect();
  PixelRect moved = rect;
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    plant::PlantRecord& record = p.plant.Record();
    const DisplayChange change = FollowDisplayChange(rect, record, oldWidth, oldHeight, width, height);
    record.rectLeft = change.rectLeft;
    record.rectTop = change.rectTop;
    record.rectRight = change.rectRight;
    record.rectBottom = change.rectBottom;
    p.plant.pixelsPerUnit = change.pixelsPerUnit;
    if (width > 0 && height > 0) {
      p.plant.screenWidth = width;
      p.plant.screenHeight = height;
    }
    moved = change.rect;
  }
  if (PlacePicture(p, moved) && PlantDialogWindow() != nullptr) {
    ostrel::StoreSharedRect(p.block->activeFrame, ToRect32(moved));
  }
  p.UpdateHook(Union(rect, p.Rect()));
  p.worker.Request(0, WorkerCommand::Redraw);
}

// The Options page's position buttons work on the library's active frame, then go the way of a
// drag's end.
void OptionsPageRequest(PlantProcess& p, HWND window, LPARAM request) {
  const PixelRect frame = ToPixelRect(ostrel::LoadSharedRect(p.block->activeFrame));
  const plant::PlantRecord& record = p.plant.Record();
  const PixelRect moved =
      ApplyOptionsPageRequest(static_cast<uint32_t>(request), frame, p.Rect(), record.sizeFactor,
                              p.permission.width.load(), p.permission.height.load(), LimitsOf(record));
  MovePlantFrame(window, ToRect32(moved));
}

// After a brightness or colour change: the banner over the old picture until the new one is ready.
void Redraw(PlantProcess& p) {
  (void)plant::ShowDrawingBanner(p.picture, p.window, p.module, p.dpiForRect);
  p.UpdateHook(p.Rect());
  p.worker.Request(0, WorkerCommand::Redraw);
}

void Help(const char* topic) {
  if (topic != nullptr && lstrcmpiA(topic, kAboutTopic) == 0) {
    (void)gApp.OpenHelp(kHelpFile, kConfigurationTopic);
    return;
  }
  if (const HWND dialog = PlantDialogWindow()) {
    SendMessageA(dialog, WM_HELP, 0, 0);
  }
}

// The session ends: everything is saved and the plant goes. A logoff that was cancelled only saves.
void EndSession(PlantProcess& p, bool ending) {
  if (!ending) {
    p.SavePlantAndOptions();
    return;
  }
  ShutdownPlant(true);
  PostQuitMessage(0);
}

bool OnOtherMessage(PlantProcess& p, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kClockTimerId) {
        EndAbandonedDrag(p);
        p.worker.Tick(static_cast<int64_t>(std::time(nullptr)), p.plant.Record().secondsPerStep);
      }
      return true;
    case WM_DISPLAYCHANGE:
      DisplayChanged(p);
      return true;
    case kPlantRefreshMessage:
      if (wParam == kOptionsPageRequest) {
        OptionsPageRequest(p, window, lParam);
      } else {
        Redraw(p);
      }
      return true;
    case zrf::WM_ZRF_SAVEDATA:
      p.SavePlantAndOptions();
      return true;
    case kPlantSaveFailedMessage:
      (void)ShowPlantSaveFailure(static_cast<uint32_t>(wParam));
      return true;
    case zrf::WM_ZRF_HELP:
      Help(reinterpret_cast<const char*>(wParam));
      return true;
    case zrf::WM_ZRF_TASKBARCREATED:
      // The desktop that started a drag is gone, and with it the drag's end.
      if (p.drag.IsDragging()) {
        EndDragPause(p);
      }
      if (p.hook != nullptr) {
        (void)p.hook->RequestRehook(ToRect32(p.Rect()));
      }
      return true;
    case WM_ENDSESSION:
      EndSession(p, wParam != FALSE);
      return true;
    default:
      return false;
  }
}

}  // namespace

void MovePlantFrame(HWND window, const ostrel::Rect32& frame) {
  PlantProcess* process = CurrentPlantProcess();
  if (process == nullptr) return;
  PlantProcess& p = *process;
  // Later hand-overs wait until the plant has adopted this frame; a worker a drag holds stays
  // held for the drag.
  const bool wasRunning = HoldWorker(p);
  ostrel::StoreSharedRect(p.block->activeFrame, frame);
  SendMessageA(window, ostrel::LoadShared(p.block->message), static_cast<WPARAM>(OstrelCode::FrameChanged), 0);
  if (wasRunning) p.worker.Resume();
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
    case WM_QUIT:
    case zrf::WM_ZRF_QUIT:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  // Until the process is set up (and after it has shut down) the window is a plain one.
  PlantProcess* process = CurrentPlantProcess();
  if (process == nullptr || process->window != window || !process->plant.IsLoaded()) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  PlantProcess& p = *process;
  const UINT desktopMessage = p.block != nullptr ? ostrel::LoadShared(p.block->message) : 0;
  if (desktopMessage != 0 && message == desktopMessage) {
    return OnDesktopDraw(p, wParam, lParam);
  }
  if (OnOtherMessage(p, window, message, wParam, lParam)) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace plantapp
