// A stand-in for a plant process, for tests of the hook library and of the plant program's hook
// client: a hidden window that the driver tells to register, unregister, repaint, rehook or become
// active, and that answers the library's sub-codes from its arguments and logs every one it
// receives in the shared test log. Its calls go through the plant program's hook client, directly
// to the library's exports or, given the companion program, through the companion.
//
//   ostrel_test_plant id name left,top,right,bottom [minW,maxW,minH,maxH [companion.exe]]
//
// The rectangle is the plant's place on the desktop: HitTest answers 1 inside it, and activation
// makes it the active frame. Identify answers 0 for `name`, compared case-insensitively. The
// environment variable kReplyMsVariable, when set, is the wait for each companion answer, and
// kStaleMsVariable the stale limit of the `busy` claim.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/companion_route_win.h"
#include "app/hook_client.h"
#include "app/hook_direct_win.h"
#include "app/message_pump_wait_win.h"
#include "hooklib/desktop_list_view_win.h"
#include "tools/testplant/plant_log.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;

int gId = 0;
char gName[256] = {};
Rect32 gRect{};
int32_t gLimits[4] = {1, 100000, 1, 100000};
const char* gCompanion = nullptr;
testplant::PlantLog* gLog = nullptr;
HANDLE gLogEvent = nullptr;
UINT gMessage = 0;
bool gHangOnPaint = false;
std::unique_ptr<plantapp::HookRoute> gRoute;

ostrel::OstrelSharedMem& Block() { return plantapp::LibraryBlock(); }

uint32_t Self(HWND window) { return ostrel::PackHandle(reinterpret_cast<uintptr_t>(window)); }

void Log(OstrelCode code, LPARAM lParam, LRESULT answer, const Rect32& rect, uint32_t target = 0) {
  const int32_t index = InterlockedIncrement(reinterpret_cast<volatile LONG*>(&gLog->next)) - 1;
  if (index < 0 || index >= testplant::kMaxEntries) return;
  testplant::LogEntry& e = gLog->entries[index];
  e.plant = gId;
  e.code = static_cast<uint32_t>(code);
  e.lParam = static_cast<int32_t>(lParam);
  e.busy = ostrel::LoadShared(Block().busy);
  e.answer = static_cast<int32_t>(answer);
  e.rect = rect;
  e.window = target;
  __atomic_store_n(&e.written, 1, __ATOMIC_RELEASE);
  SetEvent(gLogEvent);
}

Rect32 PaintBounds() {
  Rect32 bound{};
  std::memcpy(&bound, Block().paintRegion + 16, sizeof bound);
  return bound;
}

// The list view this plant paints into, chosen as the plant program chooses it.
HWND PaintTarget() { return ostrel::CheckedListView(Block()); }

void BecomeActive(HWND window) {
  ostrel::OstrelSharedMem& block = Block();
  block.activeFrame = gRect;
  block.aspectRatio = static_cast<double>(static_cast<float>(gRect.bottom - gRect.top) /
                                          static_cast<float>(gRect.right - gRect.left));
  ostrel::StoreShared(block.activeClient, Self(window));
}

// Tells the desktop that this plant's activation changed, as the library does after it has
// activated a plant.
void AnnounceActivation(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(PaintTarget(), gMessage, static_cast<WPARAM>(OstrelCode::RepaintFrame),
                      static_cast<LPARAM>(Self(window)), SMTO_NORMAL | SMTO_ABORTIFHUNG, 5000, &ignored);
}

// The claim timing, shortened when the driver asks for it.
ostrel::ClaimTiming ClaimTimingOfTest() {
  ostrel::ClaimTiming timing = ostrel::ProtocolClaimTiming();
  if (const char* staleMs = std::getenv(testplant::kStaleMsVariable)) {
    timing.staleMs = static_cast<uint32_t>(std::strtoul(staleMs, nullptr, 10));
    timing.giveUpMs = 3 * timing.staleMs;
  }
  return timing;
}

// Stops between the library's call and the release of the claim, for as long as the driver needs
// to look at the block.
class HeldRoute final : public plantapp::HookRoute {
 public:
  explicit HeldRoute(plantapp::HookRoute& inner) : inner_(inner) {}
  bool Prepare() override { return inner_.Prepare(); }
  int32_t Call(ostrel::CompanionCommand command, int32_t claim) override {
    const int32_t result = inner_.Call(command, claim);
    const HANDLE returned = OpenEventA(EVENT_MODIFY_STATE, FALSE, testplant::kCallReturnedEvent);
    const HANDLE goOn = OpenEventA(SYNCHRONIZE, FALSE, testplant::kGoOnEvent);
    if (returned != nullptr && goOn != nullptr) {
      SetEvent(returned);
      WaitForSingleObject(goOn, 15000);
    }
    if (returned != nullptr) CloseHandle(returned);
    if (goOn != nullptr) CloseHandle(goOn);
    return result;
  }
  void Distrust() override { inner_.Distrust(); }

 private:
  plantapp::HookRoute& inner_;
};

int32_t Register(HWND window, plantapp::HookRoute& route) {
  plantapp::HookClient client(Block(), route, plantapp::WaitDispatchingMessages, nullptr,
                              &plantapp::LibraryHolderWatch(), ClaimTimingOfTest());
  const int32_t result = client.RegisterWithHook(Self(window), gName);
  Log(static_cast<OstrelCode>(testplant::kRegisterResultCode), 0, result, Rect32{});
  return result;
}

LRESULT OnCommand(HWND window, unsigned command) {
  plantapp::HookClient client(Block(), *gRoute, plantapp::WaitDispatchingMessages, nullptr,
                              &plantapp::LibraryHolderWatch(), ClaimTimingOfTest());
  switch (command) {
    case testplant::CommandRegister:
      return Register(window, *gRoute);
    case testplant::CommandUnregister:
      return client.UnregisterFromHook(Self(window), gRect);
    case testplant::CommandUpdate:
      return client.UpdateHook(gRect);
    case testplant::CommandRehook:
      return client.RequestRehook(gRect);
    case testplant::CommandActivate:
      BecomeActive(window);
      AnnounceActivation(window);
      return 0;
    case testplant::CommandRegisterHeld: {
      HeldRoute held(*gRoute);
      return Register(window, held);
    }
    case testplant::CommandHangOnPaint:
      gHangOnPaint = true;
      return 0;
    default:
      return -99;
  }
}

LRESULT OnOstrel(HWND window, OstrelCode code, LPARAM lParam) {
  ostrel::OstrelSharedMem& block = Block();
  LRESULT answer = 0;
  Rect32 rect{};
  uint32_t target = 0;
  switch (code) {
    case OstrelCode::Paint:
      rect = PaintBounds();
      target = Self(PaintTarget());
      break;
    case OstrelCode::HitTest: {
      const ostrel::Point32 p{LOWORD(lParam), HIWORD(lParam)};
      rect = Rect32{p.x, p.y, 0, 0};
      answer = p.x >= gRect.left && p.x < gRect.right && p.y >= gRect.top && p.y < gRect.bottom;
      break;
    }
    case OstrelCode::GetLimit:
      answer = lParam >= 1 && lParam <= 4 ? gLimits[lParam - 1] : 0;
      break;
    case OstrelCode::Identify:
      answer = lstrcmpiA(block.checkedName, gName) == 0 ? 0 : 1;
      break;
    case OstrelCode::Activate:
      BecomeActive(window);
      break;
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
    default:
      break;
  }
  Log(code, lParam, answer, rect, target);
  if (code == OstrelCode::Paint && gHangOnPaint) {
    // A plant stopped in the middle of a paint: no message of this thread is handled again.
    Sleep(INFINITE);
  }
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
  if (argc > 4 &&
      std::sscanf(argv[4], "%d,%d,%d,%d", &gLimits[0], &gLimits[1], &gLimits[2], &gLimits[3]) != 4) {
    return false;
  }
  if (argc > 5) gCompanion = argv[5];
  return gId >= 0 && gId < testplant::kMaxPlants;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ParseArguments(argc, argv)) {
    std::fprintf(stderr, "usage: ostrel_test_plant id name l,t,r,b [minW,maxW,minH,maxH [companion.exe]]\n");
    return 2;
  }
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, testplant::kLogMapping);
  gLog =
      mapping ? static_cast<testplant::PlantLog*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
  gLogEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, testplant::kLogEvent);
  if (gLog == nullptr || gLogEvent == nullptr) {
    std::fprintf(stderr, "test plant: no test log\n");
    return 3;
  }
  if (gCompanion != nullptr) {
    plantapp::CompanionSearch search;
    search.pauseMs = 50;
    // A test that makes the companion stuck need not wait the real time for each answer.
    if (const char* replyMs = std::getenv(testplant::kReplyMsVariable)) {
      search.replyMs = static_cast<uint32_t>(std::strtoul(replyMs, nullptr, 10));
    }
    gRoute = std::make_unique<plantapp::CompanionRoute>(Block(), gCompanion, search);
  } else {
    gRoute = std::make_unique<plantapp::DirectHookRoute>();
  }
  gMessage = RegisterWindowMessageA(ostrel::kMessageName);
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlantProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "OstrelTestPlant";
  RegisterClassA(&wc);
  const HWND window = CreateWindowExA(0, wc.lpszClassName, gName, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      wc.hInstance, nullptr);
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
