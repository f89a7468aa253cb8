// A stand-in for a plant process, for tests of the hook library: a hidden window that the driver
// tells to register, unregister, repaint, rehook or become active, and that answers the library's
// sub-codes from its arguments and logs every one it receives in the shared test log.
//
//   ostrel_test_plant id name left,top,right,bottom minW,maxW,minH,maxH
//
// The rectangle is the plant's place on the desktop: HitTest answers 1 inside it, and activation
// makes it the active frame. Identify answers 0 for `name`, compared case-insensitively.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "hooklib/busy_word.h"
#include "hooklib/ostrel.h"
#include "tools/testplant/plant_log.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;

int gId = 0;
char gName[256] = {};
Rect32 gRect{};
int32_t gLimits[4] = {1, 100000, 1, 100000};
testplant::PlantLog* gLog = nullptr;
HANDLE gLogEvent = nullptr;
UINT gMessage = 0;

ostrel::OstrelSharedMem& Block() { return *Ostrel_SharedMem; }

uint32_t Self(HWND window) { return ostrel::PackHandle(reinterpret_cast<uintptr_t>(window)); }

void Log(OstrelCode code, LPARAM lParam, LRESULT answer, const Rect32& rect) {
  const int32_t index = InterlockedIncrement(reinterpret_cast<volatile LONG*>(&gLog->next)) - 1;
  if (index < 0 || index >= testplant::kMaxEntries) return;
  testplant::LogEntry& e = gLog->entries[index];
  e.plant = gId;
  e.code = static_cast<uint32_t>(code);
  e.lParam = static_cast<int32_t>(lParam);
  e.busy = ostrel::LoadShared(Block().busy);
  e.answer = static_cast<int32_t>(answer);
  e.rect = rect;
  __atomic_store_n(&e.written, 1, __ATOMIC_RELEASE);
  SetEvent(gLogEvent);
}

Rect32 PaintBounds() {
  Rect32 bound{};
  std::memcpy(&bound, Block().paintRegion + 16, sizeof bound);
  return bound;
}

void BecomeActive(HWND window) {
  ostrel::OstrelSharedMem& block = Block();
  block.activeFrame = gRect;
  block.aspectRatio = static_cast<double>(static_cast<float>(gRect.bottom - gRect.top) /
                                          static_cast<float>(gRect.right - gRect.left));
  ostrel::StoreShared(block.activeClient, Self(window));
}

void PumpWait(uint32_t ms, void*) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Sleep(ms);
}

LRESULT UnderClaim(HWND window, int32_t claim, int (*call)()) {
  ostrel::OstrelSharedMem& block = Block();
  (void)ostrel::ClaimBusy(block.busy, claim, 10000, 20, PumpWait, nullptr);
  block.inputHwnd = Self(window);
  std::snprintf(block.inputName, sizeof block.inputName, "%s", gName);
  block.updateRect = gRect;
  const int result = call();
  ostrel::ReleaseBusy(block.busy);
  return result;
}

LRESULT OnCommand(HWND window, unsigned command) {
  switch (command) {
    case testplant::CommandRegister: {
      const LRESULT result = UnderClaim(window, ostrel::kBusyRegister, Ostrel_Register);
      Log(static_cast<OstrelCode>(testplant::kRegisterResultCode), 0, result, Rect32{});
      return result;
    }
    case testplant::CommandUnregister: return UnderClaim(window, ostrel::kBusyUnregister, Ostrel_Unregister);
    case testplant::CommandUpdate:
      Block().updateRect = gRect;
      return Ostrel_Update();
    case testplant::CommandRehook:
      Block().updateRect = gRect;
      return Ostrel_Rehook();
    case testplant::CommandActivate:
      BecomeActive(window);
      return 0;
    default: return -99;
  }
}

LRESULT OnOstrel(HWND window, OstrelCode code, LPARAM lParam) {
  ostrel::OstrelSharedMem& block = Block();
  LRESULT answer = 0;
  Rect32 rect{};
  switch (code) {
    case OstrelCode::Paint: rect = PaintBounds(); break;
    case OstrelCode::HitTest: {
      const ostrel::Point32 p{LOWORD(lParam), HIWORD(lParam)};
      rect = Rect32{p.x, p.y, 0, 0};
      answer = p.x >= gRect.left && p.x < gRect.right && p.y >= gRect.top && p.y < gRect.bottom;
      break;
    }
    case OstrelCode::GetLimit: answer = lParam >= 1 && lParam <= 4 ? gLimits[lParam - 1] : 0; break;
    case OstrelCode::Identify: answer = lstrcmpiA(block.checkedName, gName) == 0 ? 0 : 1; break;
    case OstrelCode::Activate: BecomeActive(window); break;
    case OstrelCode::Deactivate: {
      uint32_t self = Self(window);
      if (__atomic_compare_exchange_n(&block.activeClient, &self, 0u, false, __ATOMIC_ACQ_REL,
                                      __ATOMIC_ACQUIRE)) {
        block.activeFrame = Rect32{};
      }
      break;
    }
    case OstrelCode::FrameChanged:
      gRect = block.activeFrame;
      rect = gRect;
      break;
    default: break;
  }
  Log(code, lParam, answer, rect);
  return answer;
}

LRESULT CALLBACK PlantProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == gMessage) return OnOstrel(window, static_cast<OstrelCode>(wParam), lParam);
  if (msg > WM_APP && msg <= WM_APP + 16) return OnCommand(window, msg - WM_APP);
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

bool ParseArguments(int argc, char** argv) {
  if (argc < 4) return false;
  gId = std::atoi(argv[1]);
  std::snprintf(gName, sizeof gName, "%s", argv[2]);
  if (std::sscanf(argv[3], "%d,%d,%d,%d", &gRect.left, &gRect.top, &gRect.right, &gRect.bottom) != 4) {
    return false;
  }
  if (argc > 4 && std::sscanf(argv[4], "%d,%d,%d,%d", &gLimits[0], &gLimits[1], &gLimits[2],
                              &gLimits[3]) != 4) {
    return false;
  }
  return gId >= 0 && gId < testplant::kMaxPlants;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ParseArguments(argc, argv)) {
    std::fprintf(stderr, "usage: ostrel_test_plant id name l,t,r,b [minW,maxW,minH,maxH]\n");
    return 2;
  }
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, testplant::kLogMapping);
  gLog = mapping ? static_cast<testplant::PlantLog*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
  gLogEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, testplant::kLogEvent);
  if (gLog == nullptr || gLogEvent == nullptr) {
    std::fprintf(stderr, "test plant: no test log\n");
    return 3;
  }
  gMessage = RegisterWindowMessageA(ostrel::kMessageName);
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlantProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "OstrelTestPlant";
  RegisterClassA(&wc);
  const HWND window = CreateWindowExA(0, wc.lpszClassName, gName, WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, wc.hInstance, nullptr);
  if (window == nullptr) return 4;
  __atomic_store_n(&gLog->windows[gId], Self(window), __ATOMIC_RELEASE);
  SetEvent(gLogEvent);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
