// The desktop list view's subclass procedure, inside the desktop process on the list view's thread:
// the Paint broadcast during the background erase, the active plant's frame with its cursor, move
// and resize drag, and plant activation by double-click.
//
// The plants are painted while the list view erases its background, so the icons, drawn
// afterwards at WM_PAINT, stay on top. Every message to a plant window has a time-out: a hung plant
// must not freeze the desktop.
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <vector>

#include "hooklib/busy_word.h"
#include "hooklib/client_list.h"
#include "hooklib/library_win.h"
#include "hooklib/region_chunks.h"
#include "hooklib/registration.h"
#include "hooklib/time_budget.h"

namespace ostrel {
namespace {

constexpr UINT kPaintTimeoutMs = 2000;
// A double-click reorder that finds `busy` taken retries on a thread timer this often, for as long
// as a live plant may hold the claim.
constexpr UINT kReorderRetryMs = 20;
constexpr int kReorderRetries = kStaleClaimMs / kReorderRetryMs;

HWND gPendingTop = nullptr;
int gReorderTries = 0;
UINT_PTR gReorderTimer = 0;

LRESULT PassOn(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(gState.oldProc, window, msg, wParam, lParam);
}

Point32 PointOf(LPARAM lParam) { return Point32{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LPARAM PointParam(Point32 p) {
  return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// True when the point is on no icon and no label, so the plants may have it.
bool IsOnNoIcon(HWND window, Point32 p) {
  LVHITTESTINFO info{};
  info.pt = POINT{p.x, p.y};
  SendMessageA(window, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  return info.flags == LVHT_NOWHERE;
}

RECT ToRect(const Rect32& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void DrawFrame(HWND window, const Rect32& r) {
  const HDC dc = GetWindowDC(window);
  const RECT rect = ToRect(r);
  DrawFocusRect(dc, &rect);
  ReleaseDC(window, dc);
}

void RepaintFrameEdges() { (void)InvalidateFrameEdges(Block(), WindowsClientPort()); }

// The rectangles of the collected paint region, read whole however large it is.
std::vector<Rect32> RegionRects(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) {
    return {};
  }
  std::vector<uint8_t> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(region, size, header) == 0) {
    return {};
  }
  const DWORD count = header->rdh.nCount;
  // GetRegionData filled `size` bytes; the rectangle list must lie inside them.
  if (header->rdh.dwSize > size || count > (size - header->rdh.dwSize) / sizeof(RECT)) {
    return {};
  }
  std::vector<Rect32> rects(count);
  if (count != 0) {
    memcpy(rects.data(), data.data() + header->rdh.dwSize, count * sizeof(Rect32));
  }
  return rects;
}

// Adds what this erase's device context covers to the collected region. A repaint that another
// process asks for after WM_PAINT read the update region, but before BeginPaint took it, is in no
// region read so far, yet it is erased all the same.
void CollectErasedRegion(HWND window, HDC dc) {
  if (GetRandomRgn(dc, gState.eraseRgn, SYSRGN) != 1) {
    return;
  }
  POINT origin{0, 0};
  ClientToScreen(window, &origin);  // the context's region is in screen coordinates
  OffsetRgn(gState.eraseRgn, -origin.x, -origin.y);
  CombineRgn(gState.paintRgn, gState.paintRgn, gState.eraseRgn, RGN_OR);
}

LRESULT PaintBroadcast(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  OstrelSharedMem& block = Block();
  // The block's copy of the list view is this process's to keep right.
  StoreShared(block.listView, ToSlot(window));
  GetUpdateRgn(window, gState.eraseRgn, FALSE);
  CombineRgn(gState.paintRgn, gState.paintRgn, gState.eraseRgn, RGN_OR);
  CollectErasedRegion(window, reinterpret_cast<HDC>(wParam));
  const LRESULT result = PassOn(window, msg, wParam, lParam);
  const std::vector<Rect32> rects = RegionRects(gState.paintRgn);
  GetUpdateRgn(window, gState.paintRgn, FALSE);
  // Named before the bit is set: a claimant that finds the bit set and this window gone knows the
  // desktop died inside the broadcast.
  StoreShared(block.paintingView, ToSlot(window));
  SetPaintBit(block.busy);
  // A region too large for one paintRegion goes out in several passes, so no plant ever clips
  // to a stale region.
  const size_t chunks = RegionChunkCount(rects.size());
  for (size_t chunk = 0; chunk < chunks; ++chunk) {
    WriteRegionChunk(block.paintRegion, rects.data(), rects.size(), chunk);
    const int32_t count = ClientCount(block);
    for (int32_t i = 0; i < count; ++i) {
      SendToClient(ToHwnd(block.clients[i]), OstrelCode::Paint, i, 0, kPaintTimeoutMs);
    }
  }
  if (ActiveClient() != nullptr) {
    const RECT frame = ToRect(block.activeFrame);
    DrawFocusRect(reinterpret_cast<HDC>(wParam), &frame);
  }
  ClearPaintBit(block.busy);
  return result;
}

void CALLBACK ReorderTimerProc(HWND, UINT, UINT_PTR, DWORD);

// Moves `client` to the top. The list belongs to whoever holds `busy`; a registration may hold
// it for seconds while it waits for this very thread, so the desktop never waits for it: it
// tries, and retries on a timer.
void ReorderToTop(HWND client) {
  OstrelSharedMem& block = Block();
  const int32_t claim = MakeClaim(kBusyReorder, GetCurrentProcessId());
  if (TryClaimBusy(block.busy, claim)) {
    BringClientToTop(block, WindowsClientPort(), FindClient(block, ToSlot(client)));
    (void)ReleaseBusy(block.busy, claim);
    CancelPendingReorder();
    return;
  }
  if (gPendingTop != client) {
    gPendingTop = client;
    gReorderTries = 0;
  }
  if (gReorderTimer == 0) {
    gReorderTimer = SetTimer(nullptr, 0, kReorderRetryMs, ReorderTimerProc);
  }
}

void CALLBACK ReorderTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (gPendingTop == nullptr || ++gReorderTries > kReorderRetries || gState.subclassed == nullptr) {
    CancelPendingReorder();
    return;
  }
  ReorderToTop(gPendingTop);
}

// Ends a drag. Applied: the frame moves to the drag rectangle when it changed. Not applied (capture
// lost, cancel): the XOR rectangle is taken away and the old frame shown again. DragEnd goes to the
// window that got DragStart in every case, so its worker is never left suspended. It goes after
// FrameChanged: until the plant has adopted the new frame its worker stays paused, so a picture
// rendered for the old frame cannot be handed over in between and overwrite the new one.
void EndDrag(HWND window, bool apply) {
  DragState& drag = gState.drag;
  if (drag.zone == kZoneNone) {
    return;
  }
  drag.zone = kZoneNone;
  OstrelSharedMem& block = Block();
  const bool changed = !(drag.rect == drag.start.frame);
  const bool stillActive = ActiveClient() == drag.client;
  if (apply && changed && stillActive) {
    block.activeFrame = drag.rect;
    SendToClient(drag.client, OstrelCode::FrameChanged, 0, 0);
  } else if (changed) {
    DrawFrame(window, drag.rect);
    DrawFrame(window, drag.start.frame);
  }
  SendToClient(drag.client, OstrelCode::DragEnd, 0, 0);
  drag.client = nullptr;
}

LRESULT OnButtonDown(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  OstrelSharedMem& block = Block();
  const HWND active = ActiveClient();
  const Point32 p = PointOf(lParam);
  const int32_t zone =
      active == nullptr ? kZoneNone : HitTestFrame(p, block.activeFrame, IsOnNoIcon(window, p));
  if (zone == kZoneNone) {
    return PassOn(window, msg, wParam, lParam);
  }
  EndDrag(window, false);
  DragState& drag = gState.drag;
  drag.client = active;
  SendToClient(active, OstrelCode::DragStart, 0, 0);
  drag.start = DragStart{zone, block.activeFrame, block.aspectRatio, p, {}};
  drag.rect = block.activeFrame;
  SetFocus(window);
  SetCapture(window);
  FrameLimits limits{};
  limits.minWidth = static_cast<int32_t>(SendToClient(active, OstrelCode::GetLimit, 1, 0));
  limits.maxWidth = static_cast<int32_t>(SendToClient(active, OstrelCode::GetLimit, 2, 0));
  limits.minHeight = static_cast<int32_t>(SendToClient(active, OstrelCode::GetLimit, 3, 0));
  limits.maxHeight = static_cast<int32_t>(SendToClient(active, OstrelCode::GetLimit, 4, 0));
  drag.start.limits = SaneLimits(limits);
  drag.zone = zone;
  return 0;
}

LRESULT OnButtonUp(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (gState.drag.zone != kZoneNone) {
    EndDrag(window, true);
    ReleaseCapture();
    SendMessageA(window, WM_MOUSEMOVE, wParam, lParam);
  }
  return PassOn(window, msg, wParam, lParam);
}

LRESULT OnMouseMove(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  DragState& drag = gState.drag;
  if (drag.zone != kZoneNone && ActiveClient() != nullptr) {
    DrawFrame(window, drag.rect);
    drag.rect = TrackFrameRect(drag.start, PointOf(lParam));
    DrawFrame(window, drag.rect);
  }
  return PassOn(window, msg, wParam, lParam);
}

LRESULT OnSetCursor(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  OstrelSharedMem& block = Block();
  if (ActiveClient() == nullptr) {
    return PassOn(window, msg, wParam, lParam);
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  const Point32 p{cursor.x, cursor.y};
  const int32_t zone = gState.drag.zone != kZoneNone
                           ? gState.drag.zone
                           : HitTestFrame(p, block.activeFrame, IsOnNoIcon(window, p));
  LPCSTR shape = nullptr;
  switch (CursorForZone(zone)) {
    case FrameCursor::Arrow: shape = IDC_ARROW; break;
    case FrameCursor::SizeNS: shape = IDC_SIZENS; break;
    case FrameCursor::SizeWE: shape = IDC_SIZEWE; break;
    case FrameCursor::SizeNESW: shape = IDC_SIZENESW; break;
    case FrameCursor::SizeNWSE: shape = IDC_SIZENWSE; break;
    case FrameCursor::SizeAll: shape = IDC_SIZEALL; break;
    case FrameCursor::Keep: break;
  }
  if (shape != nullptr) {
    SetCursor(LoadCursorA(nullptr, shape));
  }
  return lParam;
}

struct HitContext {
  LPARAM point;
};

bool AsksClientHit(uint32_t window, void* context) {
  const LPARAM point = static_cast<HitContext*>(context)->point;
  return SendToClient(ToHwnd(window), OstrelCode::HitTest, point, 0, kPaintTimeoutMs) != 0;
}

LRESULT OnDoubleClick(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  OstrelSharedMem& block = Block();
  const Point32 p = PointOf(lParam);
  const HWND active = ActiveClient();
  if (active != nullptr) {
    if (IsPointInRect(p, block.activeFrame)) {
      SendToClient(active, OstrelCode::Activate, 0, 0);
      NoteActivation(active);
      return PassOn(window, msg, wParam, lParam);
    }
    SendToClient(active, OstrelCode::Deactivate, 0, 0);
    gState.active = nullptr;
  }
  HitContext context{PointParam(p)};
  const int32_t index = HitTestClients(block, IsOnNoIcon(window, p), AsksClientHit, &context);
  if (index < 0) {
    return PassOn(window, msg, wParam, lParam);
  }
  const HWND hit = ToHwnd(block.clients[index]);
  SendToClient(hit, OstrelCode::Activate, 0, 0);
  NoteActivation(hit);
  ReorderToTop(hit);
  RepaintFrameEdges();
  return 0;
}

bool IsLiveWindow(uint32_t window) { return IsWindow(ToHwnd(window)) != FALSE; }

LRESULT OnOstrelMessage(HWND window, WPARAM wParam, LPARAM lParam) {
  switch (static_cast<OstrelCode>(wParam)) {
    case OstrelCode::PinLibrary:
      if (gState.pin == nullptr) {
        // A reference to this very module, whatever name or path it was loaded by.
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&DesktopListViewProc), &gState.pin);
      }
      StoreShared(Block().listView, ToSlot(window));
      break;
    case OstrelCode::UnpinLibrary:
      // A client's removal sends its unpin once its slot has gone, so the last one finds no live
      // window left. A posted unpin, or one while a plant is still registered, comes from some
      // other program and would take every plant off the desktop.
      if (InSendMessage() && !AnyLiveSlot(Block(), IsLiveWindow)) {
        EndDrag(gState.subclassed, false);
        if (GetCapture() == gState.subclassed) {
          ReleaseCapture();
        }
        // This frame is one; a deeper stack means the unpin came in while the list view's own
        // procedure ran a modal loop, or while the subclass waited on a plant.
        RemoveSubclass(gState.procDepth <= 1);
      }
      break;
    case OstrelCode::RepaintFrame:
      // lParam: the plant whose activation changed, or 0.
      if (lParam != 0) {
        NoteActivation(ToHwnd(static_cast<uint32_t>(lParam)));
      }
      RepaintFrameEdges();
      break;
    default:
      break;
  }
  return kSubclassAnswer;
}

// Counts the subclass procedure's frames on the stack for the life of one call.
class ProcFrame {
 public:
  ProcFrame() { ++gState.procDepth; }
  ~ProcFrame() { --gState.procDepth; }
  ProcFrame(const ProcFrame&) = delete;
  ProcFrame& operator=(const ProcFrame&) = delete;
};

}  // namespace

HWND ActiveClient() {
  if (gState.active != nullptr && !IsWindow(gState.active)) {
    gState.active = nullptr;
  }
  return gState.active;
}

void NoteActivation(HWND client) {
  const OstrelSharedMem& block = Block();
  const uint32_t slot = ToSlot(client);
  if (client != nullptr && LoadShared(block.activeClient) == slot && FindClient(block, slot) >= 0 &&
      IsWindow(client)) {
    gState.active = client;
  } else if (gState.active == client) {
    gState.active = nullptr;
  }
}

void CancelPendingReorder() {
  gPendingTop = nullptr;
  if (gReorderTimer != 0) {
    KillTimer(nullptr, gReorderTimer);
    gReorderTimer = 0;
  }
}

LRESULT CALLBACK DesktopListViewProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const ProcFrame frame;
  if (msg == gState.message && msg != 0) {
    return OnOstrelMessage(window, wParam, lParam);
  }
  switch (msg) {
    case WM_PAINT:
      GetUpdateRgn(window, gState.paintRgn, FALSE);
      return PassOn(window, msg, wParam, lParam);
    case WM_NCPAINT:
      // Collected, not replaced: a frame repaint arriving after BeginPaint validated the client
      // area would otherwise empty the region that the erase is about to paint.
      GetUpdateRgn(window, gState.eraseRgn, FALSE);
      CombineRgn(gState.paintRgn, gState.paintRgn, gState.eraseRgn, RGN_OR);
      return PassOn(window, msg, wParam, lParam);
    case WM_ERASEBKGND:
      return PaintBroadcast(window, msg, wParam, lParam);
    case WM_SETCURSOR:
      return OnSetCursor(window, msg, wParam, lParam);
    case WM_MOUSEMOVE:
      return OnMouseMove(window, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
      return OnButtonDown(window, msg, wParam, lParam);
    case WM_LBUTTONUP:
      return OnButtonUp(window, msg, wParam, lParam);
    case WM_CAPTURECHANGED:
      // The button-up will not come: Alt+Tab, another window took the mouse.
      EndDrag(window, false);
      return PassOn(window, msg, wParam, lParam);
    case WM_CANCELMODE:
      if (gState.drag.zone != kZoneNone) {
        EndDrag(window, false);
        ReleaseCapture();
      }
      return PassOn(window, msg, wParam, lParam);
    case WM_LBUTTONDBLCLK:
      return OnDoubleClick(window, msg, wParam, lParam);
    default:
      return PassOn(window, msg, wParam, lParam);
  }
}

}  // namespace ostrel
