// The companion's window. When the companion ends, the window is destroyed before
// `companionRunning` is cleared: a plant that starts meanwhile then finds no window to trust and
// starts a new companion, instead of registering through one that is about to end.
#include "companion/companion_window_win.h"

#include "companion/companion_commands.h"
#include "hooklib/client_list.h"
#include "hooklib/companion_protocol.h"
#include "hooklib/ostrel.h"

namespace companion {
namespace {

constexpr UINT_PTR kClientCheckTimer = 1;

class LibraryExports final : public HookExports {
 public:
  int32_t Register() override { return Ostrel_Register(); }
  int32_t Unregister() override { return Ostrel_Unregister(); }
  int32_t Update() override { return Ostrel_Update(); }
  int32_t Rehook() override { return Ostrel_Rehook(); }
};

CompanionCommands gCommands;

// Registered windows that still exist. A plant that was killed leaves its entry in the list until
// the library's next registration or removal drops it, so the count alone cannot say it has gone.
int32_t LiveClients(const ostrel::OstrelSharedMem& block) {
  int32_t live = 0;
  const int32_t count = ostrel::ClientCount(block);
  for (int32_t i = 0; i < count; ++i) {
    const HWND client = reinterpret_cast<HWND>(ostrel::UnpackHandle(ostrel::LoadShared(block.clients[i])));
    live += client != nullptr && IsWindow(client) ? 1 : 0;
  }
  return live;
}

void End(HWND window) {
  KillTimer(window, kClientCheckTimer);
  DestroyWindow(window);
  ostrel::SetCompanionRunning(*Ostrel_SharedMem, false);
  PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK CompanionWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ostrel::kCompanionMessage) {
    LibraryExports exports;
    const CompanionAnswer answer =
        gCommands.Handle(wParam, static_cast<int32_t>(static_cast<uint32_t>(lParam)), exports, *Ostrel_SharedMem);
    if (answer.end) {
      End(window);
    }
    return answer.result;
  }
  if (msg == WM_TIMER && wParam == kClientCheckTimer) {
    if (gCommands.CheckClients(LiveClients(*Ostrel_SharedMem), GetTickCount())) {
      End(window);
    }
    return 0;
  }
  if (msg == WM_QUIT) {
    PostQuitMessage(0);
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND CreateCompanionWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CompanionWndProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = ostrel::kCompanionClass;
  if (RegisterClassA(&windowClass) == 0) {
    return nullptr;
  }
  const HWND window = CreateWindowExA(0, ostrel::kCompanionClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      instance, nullptr);
  if (window != nullptr && SetTimer(window, kClientCheckTimer, kClientCheckMs, nullptr) == 0) {
    // Without its look at the clients a companion whose plants died would never end.
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

}  // namespace companion
